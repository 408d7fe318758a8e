#pragma once
// Point marker of a series. Line series keep it hidden; its margins still count when shown.
#include "chart/ChartPanel/ChartBrush.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>

class TChartCanvas;

enum TSeriesPointerStyle : std::uint8_t {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond
};

class TSeriesPointer {
public:
    // Calls onChange on every effective change of itself, its pen or its brush.
    explicit TSeriesPointer(std::function<void()> onChange);

    std::int32_t HorizSize() const { return FHorizSize; }
    // Below 1: ChartException.
    void SetHorizSize(std::int32_t value);
    std::int32_t VertSize() const { return FVertSize; }
    void SetVertSize(std::int32_t value);
    bool Draw3D() const { return FDraw3D; }
    void SetDraw3D(bool value) { SetAndRepaint(FDraw3D, value, FOnChange); }
    TSeriesPointerStyle Style() const { return FStyle; }
    void SetStyle(TSeriesPointerStyle value) { SetAndRepaint(FStyle, value, FOnChange); }
    TChartPen& Pen() { return FPen; }
    TChartBrush& Brush() { return FBrush; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { SetAndRepaint(FVisible, value, FOnChange); }
    bool InflateMargins() const { return FInflateMargins; }
    void SetInflateMargins(bool value) { SetAndRepaint(FInflateMargins, value, FOnChange); }

    // The marker centred on (x, y), filled with the brush colour or, without one, the point's.
    void Draw(TChartCanvas& canvas, std::int32_t x, std::int32_t y, TColor pointColor);

private:
    std::int32_t FHorizSize = 4;
    std::int32_t FVertSize = 4;
    bool FDraw3D = true;
    TSeriesPointerStyle FStyle = psRectangle;
    TChartPen FPen;
    TChartBrush FBrush;
    bool FVisible = true;
    bool FInflateMargins = true;
    std::function<void()> FOnChange;
};
