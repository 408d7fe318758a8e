#pragma once
// Series joined point to point: line, area and marker settings; draws segments (flat lines,
// 3D ribbons, stairs).
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/ChartTypes.h"
#include "chart/Series/SeriesPointer.h"

#include <cstdint>
#include <functional>

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

    // Draws the segment that ends in point index (the first visible point is joined to the
    // plotting area's left edge when points lie left of it); skips points beyond +-32767 pixels.
    void DrawValue(std::int32_t index) override;
    // Every point as DrawValue draws it, except that runs of points in one pixel column paint
    // their pixels at once (see TSeriesColumns): the picture is the same.
    void DrawAllValues() override;
    // Symbol of the legend item: a line in the flat view, a framed rectangle in 3D.
    void DrawLegend(std::int32_t valueIndex, const TRect& rect) override;

    // Hit test against the picture of the last paint: the index of the point nearer to
    // (x, y) on the first drawn segment that lies within kClickTolerance pixels of it (in 3D,
    // also anywhere on its ribbon), else -1.
    static constexpr std::int32_t kClickTolerance = 3;
    std::int32_t Clicked(std::int32_t x, std::int32_t y) override;

    // Pixel position and colour of the previously drawn point.
    std::int32_t OldX = 0;
    std::int32_t OldY = 0;
    TColor OldColor = 0;

protected:
    void SetDrawLineDefault(bool value) { FDrawLine = value; }

private:
    // Joins (OldX, OldY) to point index at (x, y) in colour c; previousMarker adds the old
    // point's marker.
    void DrawSegment(std::int32_t index, std::int32_t x, std::int32_t y, TColor c, bool previousMarker);
    // The canvas brush and pen of ribbons in colour c.
    void PrepareRibbons(TColor c);
    void DrawRibbon(std::int32_t x, std::int32_t y, TColor c);
    void DrawFlatLine(std::int32_t x, std::int32_t y, TColor c);
    // Runs in one column may be drawn at once: solid one-pixel copy-mode pen, one colour per
    // run, nothing drawn per point, ribbons of a solid fill and some depth.
    bool DrawsByColumns() const;
    // Height of the line from point index-1 to point index where the horizontal axis starts.
    std::int32_t InterpolatedStartY(std::int32_t index) const;

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
    // Set while Clicked replays the drawing: segments are tested instead of drawn.
    std::function<void(std::int32_t index, std::int32_t x, std::int32_t y)> FSegmentProbe;
};
