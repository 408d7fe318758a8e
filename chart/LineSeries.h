#pragma once
// Series joined point to point: TCustomSeries holds the line, area and marker settings,
// TLineSeries is the plain line with hidden markers.
#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesPointer.h"

#include <cstdint>

class TCustomSeries : public TChartSeries {
public:
    TCustomSeries();

    bool Stairs() const { return FStairs; }
    void SetStairs(bool value);
    bool InvertedStairs() const { return FInvertedStairs; }
    void SetInvertedStairs(bool value);
    bool DrawLine() const { return FDrawLine; }
    void SetDrawLine(bool value);
    bool DrawArea() const { return FDrawArea; }
    void SetDrawArea(bool value);
    TSeriesPointer& Pointer() { return FPointer; }
    TChartPen& AreaLinesPen() { return FAreaLinesPen; }
    TChartPen& LinePen() { return FLinePen; }
    TColor AreaColor() const { return FAreaColor; }
    void SetAreaColor(TColor value);
    TBrushStyle LineBrush() const { return FLineBrush; }
    void SetLineBrush(TBrushStyle value);
    TBrushStyle AreaBrush() const { return FAreaBrush; }
    void SetAreaBrush(TBrushStyle value);

    // A visible marker with InflateMargins asks for its size + 1; otherwise no margin.
    void CalcHorizMargins(std::int32_t& leftMargin, std::int32_t& rightMargin) override;
    void CalcVerticalMargins(std::int32_t& topMargin, std::int32_t& bottomMargin) override;

    // Pixel position and colour of the previously drawn point.
    std::int32_t OldX = 0;
    std::int32_t OldY = 0;
    TColor OldColor = 0;

protected:
    void SetDrawLineDefault(bool value) { FDrawLine = value; }

private:
    template <typename T>
    void SetAndRepaint(T& field, T value)
    {
        if (field != value) {
            field = value;
            Repaint();
        }
    }

    bool FStairs = false;
    bool FInvertedStairs = false;
    bool FDrawLine = false;
    bool FDrawArea = false;
    TSeriesPointer FPointer;
    TChartPen FAreaLinesPen;
    TChartPen FLinePen;
    TColor FAreaColor = clChartDefault;
    TBrushStyle FLineBrush = bsSolid;
    TBrushStyle FAreaBrush = bsSolid;
};

class TLineSeries : public TCustomSeries {
public:
    TLineSeries();
};
