#pragma once
// One of the chart's four axes: its settings, the range and label step it computes at every
// paint, the value ↔ pixel mapping, and its drawing (room, title, labels, ticks, grid, line).
#include "chart/ChartEngine/ChartAxisPens.h"
#include "chart/ChartEngine/ChartAxisTitle.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartFontObject.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <string>

class TCustomAxisPanel;

KELVARO_EXCEPTION_CLASS(AxisException, ChartException);

enum TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };

class TChartAxis : public TChartFontObject {
public:
    TChartAxis(TCustomAxisPanel& chart, bool horizontal, bool otherSide);
    ~TChartAxis() override;

    // From another axis: the published settings (flags, sizes, lengths, range, increment, pens,
    // title, formats) and the labels font.
    void Assign(const TChartFontObject& source) override;

    TChartFont& LabelsFont() { return Font(); }

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Automatic() const { return FAutomatic; }
    // Also sets both AutomaticMinimum and AutomaticMaximum.
    void SetAutomatic(bool value);
    bool AutomaticMaximum() const { return FAutomaticMaximum; }
    void SetAutomaticMaximum(bool value);
    bool AutomaticMinimum() const { return FAutomaticMinimum; }
    void SetAutomaticMinimum(bool value);
    bool Labels() const { return FLabels; }
    void SetLabels(bool value);
    std::int32_t LabelsAngle() const { return FLabelsAngle; }
    // 0 … 360 (360 stored as 0), else ChartException.
    void SetLabelsAngle(std::int32_t value);
    std::int32_t LabelsSeparation() const { return FLabelsSeparation; }
    // Percent of a label's extent; negative raises AxisException.
    void SetLabelsSeparation(std::int32_t value);
    std::int32_t TitleSize() const { return FTitleSize; }
    void SetTitleSize(std::int32_t value);
    std::int32_t LabelsSize() const { return FLabelsSize; }
    void SetLabelsSize(std::int32_t value);
    bool LabelsOnAxis() const { return FLabelsOnAxis; }
    void SetLabelsOnAxis(bool value);
    TAxisLabelStyle LabelStyle() const { return FLabelStyle; }
    void SetLabelStyle(TAxisLabelStyle value);
    std::int32_t TickInnerLength() const { return FTickInnerLength; }
    void SetTickInnerLength(std::int32_t value);
    std::int32_t MinorTickLength() const { return FMinorTickLength; }
    void SetMinorTickLength(std::int32_t value);
    std::int32_t MinorTickCount() const { return FMinorTickCount; }
    void SetMinorTickCount(std::int32_t value);
    std::int32_t TickLength() const { return FTickLength; }
    void SetTickLength(std::int32_t value);
    double Maximum() const { return FMaximum; }
    // Below Minimum raises AxisException.
    void SetMaximum(double value);
    double Minimum() const { return FMinimum; }
    // Above Maximum raises AxisException.
    void SetMinimum(double value);
    double Increment() const { return FIncrement; }
    // Negative raises AxisException.
    void SetIncrement(double value);
    const std::string& AxisValuesFormat() const { return FAxisValuesFormat; }
    void SetAxisValuesFormat(const std::string& value);
    const std::string& DateTimeFormat() const { return FDateTimeFormat; }
    void SetDateTimeFormat(const std::string& value);
    bool Inverted() const { return FInverted; }
    void SetInverted(bool value);
    bool Logarithmic() const { return FLogarithmic; }
    // Refused on a date axis and while the current range holds a negative value. The scale
    // itself stays linear: the program never switches it on.
    void SetLogarithmic(bool value);
    bool ExactDateTime() const { return FExactDateTime; }
    void SetExactDateTime(bool value);
    bool RoundFirstLabel() const { return FRoundFirstLabel; }
    void SetRoundFirstLabel(bool value);
    bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool value);

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
    void SetAutomaticEnd(bool& field, bool value);

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
    bool FVisible = true;
    bool FAutomatic = true;
    bool FAutomaticMaximum = true;
    bool FAutomaticMinimum = true;
    bool FLabels = true;
    std::int32_t FLabelsAngle = 0;
    std::int32_t FLabelsSeparation = 10;
    std::int32_t FTitleSize = 0;
    std::int32_t FLabelsSize = 0;
    bool FLabelsOnAxis = true;
    TAxisLabelStyle FLabelStyle = talAuto;
    TChartTickPen FTicks;
    TChartTickPen FMinorTicks;
    TChartTickPen FTicksInner;
    TChartAxisPen FAxis;
    TChartGridPen FGrid;
    std::int32_t FTickInnerLength = 0;
    std::int32_t FMinorTickLength = 2;
    std::int32_t FMinorTickCount = 3;
    std::int32_t FTickLength = 4;
    double FMaximum = 0;
    double FMinimum = 0;
    double FIncrement = 0;
    TChartAxisTitle FTitle;
    std::string FAxisValuesFormat = "#,##0.###";
    std::string FDateTimeFormat;
    bool FInverted = false;
    bool FLogarithmic = false;
    bool FExactDateTime = true;
    bool FRoundFirstLabel = true;
    bool FTickOnLabelsOnly = true;

    // Working value of one DrawAxis: where the previous (higher-valued) tick went.
    std::int32_t FPreviousTickPixel = -1;
    // While measuring, OnGetAxisLabel is not consulted.
    bool FMeasuring = false;
};
