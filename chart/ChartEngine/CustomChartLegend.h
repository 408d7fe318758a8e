#pragma once
// Legend settings, the item count and the value texts shared by every legend. The layout and
// drawing belong to the chart's own legend class (TChartLegend), which overrides DrawLegend.
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartFontObject.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <string>

class TChartSeries;

KELVARO_EXCEPTION_CLASS(LegendException, ChartException);

enum TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle : std::uint8_t {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue
};
enum TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };

class TCustomChartLegend : public TChartFontObject {
public:
    explicit TCustomChartLegend(TCustomAxisPanel* chart);

    bool ResizeChart() const { return FResizeChart; }
    void SetResizeChart(bool value)
    {
        SetAndRepaint(FResizeChart, value, [this] { Repaint(); });
    }
    TLegendStyle LegendStyle() const { return FLegendStyle; }
    void SetLegendStyle(TLegendStyle value);
    TLegendTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TLegendTextStyle value)
    {
        SetAndRepaint(FTextStyle, value, [this] { Repaint(); });
    }
    // Percent 0..100, else LegendException.
    std::int32_t ColorWidth() const { return FColorWidth; }
    void SetColorWidth(std::int32_t value);
    std::int32_t HorizMargin() const { return FHorizMargin; }
    void SetHorizMargin(std::int32_t value)
    {
        SetAndRepaint(FHorizMargin, value, [this] { Repaint(); });
    }
    std::int32_t VertMargin() const { return FVertMargin; }
    void SetVertMargin(std::int32_t value)
    {
        SetAndRepaint(FVertMargin, value, [this] { Repaint(); });
    }
    // Percent 0..100, else LegendException.
    std::int32_t TopPos() const { return FTopPos; }
    void SetTopPos(std::int32_t value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value)
    {
        SetAndRepaint(FColor, value, [this] { Repaint(); });
    }
    TChartPen& Frame() { return FFrame; }
    const TChartPen& Frame() const { return FFrame; }
    // Not below 0, else LegendException.
    std::int32_t FirstValue() const { return FFirstValue; }
    void SetFirstValue(std::int32_t value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value)
    {
        SetAndRepaint(FVisible, value, [this] { Repaint(); });
    }
    TLegendAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLegendAlignment value)
    {
        SetAndRepaint(FAlignment, value, [this] { Repaint(); });
    }
    bool Inverted() const { return FInverted; }
    void SetInverted(bool value)
    {
        SetAndRepaint(FInverted, value, [this] { Repaint(); });
    }

    // LegendStyle with lsAuto resolved: series when more than one series is active.
    TLegendStyle InternalLegendStyle = lsAuto;
    void CalcLegendStyle();
    TRect RectLegend;

    // Copies the settings and the font of another legend.
    void Assign(const TChartFontObject& source) override;
    // Items from FirstValue on: one per active series shown in the legend (series styles) or
    // one per point of the first active series (lsValues); never below 0.
    std::int32_t TotalLegendItems() const;
    // Text of point index under TextStyle: its label and/or its formatted value or percent.
    virtual std::string ValueText(const TChartSeries& series, std::int32_t index) const;

    // Lays out and draws the legend and takes its room from ChartRect.
    virtual void DrawLegend();
    // True when (x, y) lies in the box drawn at the last paint.
    virtual bool Clicked(std::int32_t x, std::int32_t y) const;

private:
    bool FResizeChart = true;
    TLegendStyle FLegendStyle = lsAuto;
    TLegendTextStyle FTextStyle = ltsLeftValue;
    std::int32_t FColorWidth = 12;
    std::int32_t FHorizMargin = 0;
    std::int32_t FVertMargin = 0;
    std::int32_t FTopPos = 10;
    TColor FColor = clWhite;
    TChartPen FFrame;
    std::int32_t FFirstValue = 0;
    bool FVisible = true;
    TLegendAlignment FAlignment = laRight;
    bool FInverted = false;
};
