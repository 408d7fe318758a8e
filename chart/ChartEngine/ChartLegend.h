#pragma once
// The chart's legend: a framed box with a shadow, one item (symbol and text) per series or
// value, laid out in one row below or above the plotting area or in one column beside it.
#include "chart/ChartEngine/CustomChartLegend.h"

#include <cstdint>

class TChartLegend : public TCustomChartLegend {
public:
    explicit TChartLegend(TCustomAxisPanel* chart);

    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    std::int32_t ShadowSize() const { return FShadowSize; }
    void SetShadowSize(std::int32_t value);
    TChartHiddenPen& DividingLines() { return FDividingLines; }

    // Symbol width of the last layout.
    std::int32_t ColorWidthPixels = 0;

    // Items that fit in one row (top, bottom) or column (left, right) from pixel `start` on,
    // each itemSize pixels long; at most TotalLegendItems.
    virtual std::int32_t MaxLegendItems(std::int32_t start, std::int32_t itemSize) const;
    void DrawLegend() override;
    bool Clicked(std::int32_t x, std::int32_t y) const override;

private:
    bool Vertical() const { return Alignment() == laLeft || Alignment() == laRight; }
    // Width of the drawn frame, 0 without one.
    std::int32_t FrameWidth() const;
    // Takes the box and the gap (of chartExtent, the size across the legend's side) from
    // ChartRect.
    void ResizeChartRect(std::int32_t chartExtent);
    void DrawBox();
    void DrawLegendItem(std::int32_t n, std::int32_t position);

    TColor FShadowColor = clBlack;
    std::int32_t FShadowSize = 3;
    TChartHiddenPen FDividingLines;
    // Layout of the last drawing.
    std::int32_t FItemWidth = 0;
    std::int32_t FItemHeight = 0;
    std::int32_t FTextX = 0;
    std::int32_t FItems = 0;
};
