#pragma once
// Legend settings and the text rules shared by every legend. The layout and drawing belong
// to the chart's own legend class, which overrides DrawLegend.
#include "chart/ChartException.h"
#include "chart/ChartFontObject.h"
#include "chart/ChartPen.h"
#include "chart/ChartTypes.h"

#include <cstdint>

KELVARO_EXCEPTION_CLASS(LegendException, ChartException);

enum TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle : std::uint8_t {
    ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue
};
enum TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };

class TCustomChartLegend : public TChartFontObject {
public:
    explicit TCustomChartLegend(TCustomAxisPanel* chart);

    bool ResizeChart() const { return FResizeChart; }
    void SetResizeChart(bool value) { Set(FResizeChart, value); }
    TLegendStyle LegendStyle() const { return FLegendStyle; }
    void SetLegendStyle(TLegendStyle value);
    TLegendTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TLegendTextStyle value) { Set(FTextStyle, value); }
    // Percent 0..100, else LegendException.
    std::int32_t ColorWidth() const { return FColorWidth; }
    void SetColorWidth(std::int32_t value);
    std::int32_t HorizMargin() const { return FHorizMargin; }
    void SetHorizMargin(std::int32_t value) { Set(FHorizMargin, value); }
    std::int32_t VertMargin() const { return FVertMargin; }
    void SetVertMargin(std::int32_t value) { Set(FVertMargin, value); }
    // Percent 0..100, else LegendException.
    std::int32_t TopPos() const { return FTopPos; }
    void SetTopPos(std::int32_t value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { Set(FColor, value); }
    TChartPen& Frame() { return FFrame; }
    // Not below 0, else LegendException.
    std::int32_t FirstValue() const { return FFirstValue; }
    void SetFirstValue(std::int32_t value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { Set(FVisible, value); }
    TLegendAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLegendAlignment value) { Set(FAlignment, value); }
    bool Inverted() const { return FInverted; }
    void SetInverted(bool value) { Set(FInverted, value); }

    // LegendStyle with lsAuto resolved: series when more than one series is active.
    TLegendStyle InternalLegendStyle = lsAuto;
    void CalcLegendStyle();
    TRect RectLegend;

    // Lays out and draws the legend and takes its room from ChartRect.
    virtual void DrawLegend();

private:
    template <typename T>
    void Set(T& field, T value)
    {
        if (field != value) {
            field = value;
            Repaint();
        }
    }

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
