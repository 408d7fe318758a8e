#pragma once
// One of the chart's four axes: its settings, the range and label step it computes at every
// paint, the value ↔ pixel mapping, and its drawing (room, title, labels, ticks, grid, line).
#include "chart/ChartEngine/ChartAxisPens.h"
#include "chart/ChartEngine/ChartAxisSettings.h"
#include "chart/ChartEngine/ChartAxisTitle.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartFontObject.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <string>
#include <utility>

class TCustomAxisPanel;

KELVARO_EXCEPTION_CLASS(AxisException, ChartException);

class TChartAxis : public TChartFontObject {
public:
    TChartAxis(TCustomAxisPanel& chart, bool horizontal, bool otherSide);
    ~TChartAxis() override;

    // From another axis: its settings, pens, title and labels font.
    void Assign(const TChartFontObject& source) override;

    TChartFont& LabelsFont() { return Font(); }

    const TAxisSettings& Settings() const { return FSettings; }
    // The one setter of the plain settings: checks the new value whole (angle 360 stored as 0, an
    // angle outside 0 … 360 raises ChartException; a negative separation or increment, a maximum
    // below the minimum, or switching Logarithmic on for a date axis or a range holding a negative
    // value raises AxisException) and repaints when it differs.
    void SetSettings(TAxisSettings value);
    // One setting changed through SetSettings.
    template <class TValue>
    void SetSetting(TValue TAxisSettings::*setting, std::type_identity_t<TValue> value)
    {
        TAxisSettings settings = FSettings;
        settings.*setting = std::move(value);
        SetSettings(std::move(settings));
    }
    // Also sets both AutomaticMinimum and AutomaticMaximum.
    void SetAutomatic(bool value);
    void SetAutomaticMaximum(bool value);
    void SetAutomaticMinimum(bool value);

    bool Visible() const { return FSettings.Visible; }
    bool Automatic() const { return FSettings.Automatic; }
    bool AutomaticMaximum() const { return FSettings.AutomaticMaximum; }
    bool AutomaticMinimum() const { return FSettings.AutomaticMinimum; }
    bool Labels() const { return FSettings.Labels; }
    std::int32_t LabelsAngle() const { return FSettings.LabelsAngle; }
    std::int32_t LabelsSeparation() const { return FSettings.LabelsSeparation; }
    std::int32_t TitleSize() const { return FSettings.TitleSize; }
    std::int32_t LabelsSize() const { return FSettings.LabelsSize; }
    bool LabelsOnAxis() const { return FSettings.LabelsOnAxis; }
    TAxisLabelStyle LabelStyle() const { return FSettings.LabelStyle; }
    std::int32_t TickInnerLength() const { return FSettings.TickInnerLength; }
    std::int32_t MinorTickLength() const { return FSettings.MinorTickLength; }
    std::int32_t MinorTickCount() const { return FSettings.MinorTickCount; }
    std::int32_t TickLength() const { return FSettings.TickLength; }
    double Maximum() const { return FSettings.Maximum; }
    double Minimum() const { return FSettings.Minimum; }
    double Increment() const { return FSettings.Increment; }
    const std::string& AxisValuesFormat() const { return FSettings.AxisValuesFormat; }
    const std::string& DateTimeFormat() const { return FSettings.DateTimeFormat; }
    bool Inverted() const { return FSettings.Inverted; }
    bool Logarithmic() const { return FSettings.Logarithmic; }
    bool ExactDateTime() const { return FSettings.ExactDateTime; }
    bool RoundFirstLabel() const { return FSettings.RoundFirstLabel; }
    bool TickOnLabelsOnly() const { return FSettings.TickOnLabelsOnly; }

    TChartAxisPen& Axis() { return FAxis; }
    TChartTickPen& Ticks() { return FTicks; }
    TChartTickPen& MinorTicks() { return FMinorTicks; }
    TChartTickPen& TicksInner() { return FTicksInner; }
    TChartGridPen& Grid() { return FGrid; }
    TChartAxisTitle& Title() { return FTitle; }

    // Fixed range: switches the automatic flags off; a range below 0.001 is widened upwards.
    void SetMinMax(double a, double b);

    // Range for this paint, from the series unless fixed.
    void AdjustRange();
    // Widens the range so the data keeps the given pixel distances from the ends.
    void ApplyMargins(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    std::int32_t ValueToPixel(double value) const;
    double PixelToValue(std::int32_t pixel) const;

    // Label step for this paint, from the room along the axis and the label extents.
    double ComputeIncrement();
    double IncrementForCount(std::int32_t count) const;
    static double NextIncrementStep(double step);
    // Pixels the label of value takes along the axis, with the current canvas font.
    std::int32_t LabelExtent(double value);
    // talAuto resolved against the series on the axis.
    TAxisLabelStyle CalcLabelStyle() const;

    // Shrinks rect by the room for title, labels, line and ticks; records the band edges.
    void ReserveSpace(TRect& rect);
    void DrawAxis(bool calculatePosition);
    std::string LabelText(double value);
    std::int32_t MaxLabelsWidth();
    // Hit test of the axis line at client pixel (x, y), with the positions of the last paint.
    bool AxisClicked(std::int32_t x, std::int32_t y) const;

    // Half-width of the band around the axis line that counts as a click on it.
    static constexpr std::int32_t kClickTolerance = 12;

    // Recomputed at every paint.
    double CurrentMaximum = 0;
    double CurrentMinimum = 0;
    double CurrentRange = 0;
    bool IsDateTimeAxis = false;

    const bool IsHorizontal;
    const bool IsOtherSide;

    // Placement results: band edges from ReserveSpace, line position from DrawAxis.
    std::int32_t LabelsPosition = 0;
    std::int32_t TitlePosition = 0;
    std::int32_t AxisPosition = 0;
    std::int32_t ShiftedAxisPosition = 0;

private:
    void SetAutomaticEnd(bool TAxisSettings::*end, bool value);

    // Drawing steps.
    enum class TSide { Top, Bottom, Left, Right };
    TSide AxisSide() const;
    // Moves the rectangle's edge on the axis's side inwards by `room`; returns the new edge.
    std::int32_t Shrink(TRect& rect, std::int32_t room) const;
    std::int32_t TitleRoom();
    std::int32_t LabelsRoom();
    void DrawTitle();
    void DrawValueLabel(double value);
    void DrawTicksAndGrid(std::int32_t pixel, double value);
    void DrawTick(std::int32_t pixel, std::int32_t outward, std::int32_t length);
    void DrawGridLine(std::int32_t pixel);
    void DrawAxisLine();
    void PlaceText(std::int32_t x, std::int32_t y, const std::string& text, std::int32_t angle);
    void RecalcDateTime();

    TCustomAxisPanel& FChart;
    TAxisSettings FSettings;
    TChartTickPen FTicks;
    TChartTickPen FMinorTicks;
    TChartTickPen FTicksInner;
    TChartAxisPen FAxis;
    TChartGridPen FGrid;
    TChartAxisTitle FTitle;

    // Working value of one DrawAxis: where the previous (higher-valued) tick went.
    std::int32_t FPreviousTickPixel = -1;
    // While measuring, OnGetAxisLabel is not consulted.
    bool FMeasuring = false;
};
