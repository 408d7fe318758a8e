#include "chart/ChartEngine/ChartAxis.h"

#include "app/FormatSettings.h"
#include "chart/ChartEngine/AxisLabelText.h"
#include "chart/ChartEngine/ChartAxisScale.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomAxisPanel.h"

#include <algorithm>
#include <limits>
#include <utility>

TChartAxis::TChartAxis(TCustomAxisPanel& chart, bool horizontal, bool otherSide)
    : TChartFontObject(&chart), IsHorizontal(horizontal), IsOtherSide(otherSide), FChart(chart), FTitle(&chart, *this)
{
    for (TChartPen* pen :
         {static_cast<TChartPen*>(&FTicks), static_cast<TChartPen*>(&FMinorTicks),
          static_cast<TChartPen*>(&FTicksInner), static_cast<TChartPen*>(&FAxis), static_cast<TChartPen*>(&FGrid)})
        pen->OnChange = [this] { Repaint(); };
    if (!horizontal)
        FTitle.SetAngle(otherSide ? 270 : 90);
}

TChartAxis::~TChartAxis() = default;

void TChartAxis::Assign(const TChartFontObject& source)
{
    TChartFontObject::Assign(source);
    const auto* axis = dynamic_cast<const TChartAxis*>(&source);
    if (axis == nullptr)
        return;
    FVisible = axis->FVisible;
    FAutomatic = axis->FAutomatic;
    FAutomaticMaximum = axis->FAutomaticMaximum;
    FAutomaticMinimum = axis->FAutomaticMinimum;
    FLabels = axis->FLabels;
    FLabelsAngle = axis->FLabelsAngle;
    FLabelsSeparation = axis->FLabelsSeparation;
    FTitleSize = axis->FTitleSize;
    FLabelsSize = axis->FLabelsSize;
    FLabelsOnAxis = axis->FLabelsOnAxis;
    FLabelStyle = axis->FLabelStyle;
    FTickInnerLength = axis->FTickInnerLength;
    FMinorTickLength = axis->FMinorTickLength;
    FMinorTickCount = axis->FMinorTickCount;
    FTickLength = axis->FTickLength;
    FMaximum = axis->FMaximum;
    FMinimum = axis->FMinimum;
    FIncrement = axis->FIncrement;
    FAxisValuesFormat = axis->FAxisValuesFormat;
    FDateTimeFormat = axis->FDateTimeFormat;
    FInverted = axis->FInverted;
    FLogarithmic = axis->FLogarithmic;
    FExactDateTime = axis->FExactDateTime;
    FRoundFirstLabel = axis->FRoundFirstLabel;
    FTickOnLabelsOnly = axis->FTickOnLabelsOnly;
    FTicks.Assign(axis->FTicks);
    FMinorTicks.Assign(axis->FMinorTicks);
    FTicksInner.Assign(axis->FTicksInner);
    FAxis.Assign(axis->FAxis);
    FGrid.Assign(axis->FGrid);
    FTitle.Assign(axis->FTitle);
    Repaint();
}

void TChartAxis::SetVisible(bool value)
{
    SetAndRepaint(FVisible, value, [this] { Repaint(); });
}

void TChartAxis::SetAutomatic(bool value)
{
    if (FAutomatic != value || FAutomaticMinimum != value || FAutomaticMaximum != value) {
        FAutomatic = FAutomaticMinimum = FAutomaticMaximum = value;
        Repaint();
    }
}

void TChartAxis::SetAutomaticMaximum(bool value)
{
    SetAutomaticEnd(FAutomaticMaximum, value);
}
void TChartAxis::SetAutomaticMinimum(bool value)
{
    SetAutomaticEnd(FAutomaticMinimum, value);
}

void TChartAxis::SetAutomaticEnd(bool& field, bool value)
{
    // A fixed end makes the whole axis non-automatic; an automatic end leaves Automatic alone.
    const bool automatic = FAutomatic && value;
    if (field != value || FAutomatic != automatic) {
        field = value;
        FAutomatic = automatic;
        Repaint();
    }
}

void TChartAxis::SetLabels(bool value)
{
    SetAndRepaint(FLabels, value, [this] { Repaint(); });
}

void TChartAxis::SetLabelsAngle(std::int32_t value)
{
    SetAndRepaint(FLabelsAngle, CheckAxisAngle(value, "Axis Labels"), [this] { Repaint(); });
}

void TChartAxis::SetLabelsSeparation(std::int32_t value)
{
    if (value < 0)
        throw AxisException("Labels Separation % must be greater than 0");
    SetAndRepaint(FLabelsSeparation, value, [this] { Repaint(); });
}

void TChartAxis::SetTitleSize(std::int32_t value)
{
    SetAndRepaint(FTitleSize, value, [this] { Repaint(); });
}
void TChartAxis::SetLabelsSize(std::int32_t value)
{
    SetAndRepaint(FLabelsSize, value, [this] { Repaint(); });
}
void TChartAxis::SetLabelsOnAxis(bool value)
{
    SetAndRepaint(FLabelsOnAxis, value, [this] { Repaint(); });
}
void TChartAxis::SetLabelStyle(TAxisLabelStyle value)
{
    SetAndRepaint(FLabelStyle, value, [this] { Repaint(); });
}
void TChartAxis::SetTickInnerLength(std::int32_t value)
{
    SetAndRepaint(FTickInnerLength, value, [this] { Repaint(); });
}
void TChartAxis::SetMinorTickLength(std::int32_t value)
{
    SetAndRepaint(FMinorTickLength, value, [this] { Repaint(); });
}
void TChartAxis::SetMinorTickCount(std::int32_t value)
{
    SetAndRepaint(FMinorTickCount, value, [this] { Repaint(); });
}
void TChartAxis::SetTickLength(std::int32_t value)
{
    SetAndRepaint(FTickLength, value, [this] { Repaint(); });
}

void TChartAxis::SetMaximum(double value)
{
    if (value < FMinimum)
        throw AxisException("Axis Maximum Value must be >= Minimum");
    SetAndRepaint(FMaximum, value, [this] { Repaint(); });
}

void TChartAxis::SetMinimum(double value)
{
    if (value > FMaximum)
        throw AxisException("Axis Minimum Value must be <= Maximum");
    SetAndRepaint(FMinimum, value, [this] { Repaint(); });
}

void TChartAxis::SetIncrement(double value)
{
    if (value < 0)
        throw AxisException("Axis increment must be >= 0");
    SetAndRepaint(FIncrement, value, [this] { Repaint(); });
}

void TChartAxis::SetAxisValuesFormat(const std::string& value)
{
    SetAndRepaint(FAxisValuesFormat, value, [this] { Repaint(); });
}
void TChartAxis::SetDateTimeFormat(const std::string& value)
{
    SetAndRepaint(FDateTimeFormat, value, [this] { Repaint(); });
}
void TChartAxis::SetInverted(bool value)
{
    SetAndRepaint(FInverted, value, [this] { Repaint(); });
}

void TChartAxis::SetLogarithmic(bool value)
{
    if (value && IsDateTimeAxis)
        throw AxisException("DateTime Axis cannot be Logarithmic");
    if (value && (CurrentMinimum < 0 || CurrentMaximum < 0))
        throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
    SetAndRepaint(FLogarithmic, value, [this] { Repaint(); });
}

void TChartAxis::SetExactDateTime(bool value)
{
    SetAndRepaint(FExactDateTime, value, [this] { Repaint(); });
}
void TChartAxis::SetRoundFirstLabel(bool value)
{
    SetAndRepaint(FRoundFirstLabel, value, [this] { Repaint(); });
}
void TChartAxis::SetTickOnLabelsOnly(bool value)
{
    SetAndRepaint(FTickOnLabelsOnly, value, [this] { Repaint(); });
}

void TChartAxis::SetMinMax(double a, double b)
{
    FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
    FMinimum = std::min(a, b);
    FMaximum = std::max(a, b);
    if (FMaximum - FMinimum < 0.001) {
        FMinimum = a;
        FMaximum = b + 0.001;
    }
    Repaint();
}

void TChartAxis::AdjustRange()
{
    if (FAutomatic || FAutomaticMaximum)
        FMaximum = FChart.SeriesMinMax(this, false, IsHorizontal);
    if (FAutomatic || FAutomaticMinimum)
        FMinimum = FChart.SeriesMinMax(this, true, IsHorizontal);
    CurrentMaximum = FMaximum;
    CurrentMinimum = FMinimum;
    CurrentRange = CurrentMaximum - CurrentMinimum;
}

void TChartAxis::ApplyMargins(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    const TRect saved = FChart.ChartRect;
    double newMinimum;
    double newMaximum;
    if (IsHorizontal) {
        FChart.ChartRect.Right -= right;
        FChart.ChartRect.Left += left;
        FChart.RecalcWidthHeight();
        newMinimum = PixelToValue(saved.Left);
        newMaximum = PixelToValue(saved.Right);
    } else {
        FChart.ChartRect.Bottom -= bottom;
        FChart.ChartRect.Top += top;
        FChart.RecalcWidthHeight();
        newMinimum = PixelToValue(saved.Bottom);
        newMaximum = PixelToValue(saved.Top);
    }
    CurrentMinimum = newMinimum;
    CurrentMaximum = newMaximum;
    FChart.ChartRect = saved;
    FChart.RecalcWidthHeight();
    if (CurrentMinimum > CurrentMaximum)
        std::swap(CurrentMinimum, CurrentMaximum);
    CurrentRange = CurrentMaximum - CurrentMinimum;
}

std::int32_t TChartAxis::ValueToPixel(double value) const
{
    const TRect& r = FChart.ChartRect;
    if (CurrentRange == 0)
        return IsHorizontal ? FChart.ChartXCenter : FChart.ChartYCenter;
    const long double offset = static_cast<long double>(value) - CurrentMinimum;
    // Far outside the range the rounded offset is already at the 32-bit limit; the edge is
    // added in 64 bits and the pixel kept at that limit instead of wrapping.
    const auto pixel = [](std::int64_t p) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(p, std::numeric_limits<std::int32_t>::min(),
                                                                  std::numeric_limits<std::int32_t>::max()));
    };
    if (IsHorizontal) {
        const std::int64_t t = AxisScale::Round(offset * FChart.ChartWidth / CurrentRange);
        return pixel(FInverted ? std::int64_t{r.Right} - t : std::int64_t{r.Left} + t);
    }
    const std::int64_t t = AxisScale::Round(offset * -FChart.ChartHeight / CurrentRange);
    return pixel(FInverted ? std::int64_t{r.Top} - t : std::int64_t{r.Bottom} + t);
}

double TChartAxis::PixelToValue(std::int32_t pixel) const
{
    const TRect& r = FChart.ChartRect;
    if (IsHorizontal) {
        if (FChart.ChartWidth <= 0)
            return 0;
        const long double d = FInverted ? r.Right - pixel : pixel - r.Left;
        return static_cast<double>(d * CurrentRange / FChart.ChartWidth + CurrentMinimum);
    }
    if (FChart.ChartHeight <= 0)
        return 0;
    const long double d = FInverted ? r.Bottom - pixel : pixel - r.Top;
    return static_cast<double>(CurrentMaximum - d * CurrentRange / FChart.ChartHeight);
}

double TChartAxis::ComputeIncrement()
{
    const std::int32_t extent = std::max(LabelExtent(CurrentMinimum), LabelExtent(CurrentMaximum));
    const std::int32_t length = IsHorizontal ? FChart.ChartWidth : FChart.ChartHeight;
    return IncrementForCount(AxisScale::LabelCount(extent, length, FLabelsSeparation));
}

double TChartAxis::IncrementForCount(std::int32_t count) const
{
    return AxisScale::IncrementForCount(count, FIncrement, CurrentRange, FLabelsSeparation);
}

double TChartAxis::NextIncrementStep(double step)
{
    return AxisScale::NextIncrementStep(step);
}

std::int32_t TChartAxis::LabelExtent(double value)
{
    const bool alongText = FLabelsAngle == 0 || FLabelsAngle == 180;
    if (alongText == IsHorizontal)
        return FChart.TextWidth(LabelText(value));
    return FChart.FontHeight();
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const
{
    if (FLabelStyle != talAuto)
        return FLabelStyle;
    TChartSeries* first = FChart.AxisSeries(this);
    if (first == nullptr)
        return talNone;
    const bool mandatoryY = &first->MandatoryValueList() == &first->YValues();
    if (IsHorizontal == mandatoryY) {
        for (const TChartSeries* series : FChart.SeriesList())
            if (series->Active() && series->UsesAxis(this) && series->Count() > 0 && series->Label(0))
                return talText;
    }
    return talValue;
}

std::string TChartAxis::LabelText(double value)
{
    std::string text = FormatAxisValue(value, FAxisValuesFormat, DecimalSeparator, ThousandSeparator);
    if (!FMeasuring && FChart.OnGetAxisLabel)
        FChart.OnGetAxisLabel(*this, nullptr, -1, text);
    return text;
}

void TChartAxis::RecalcDateTime()
{
    const TChartSeries* series = FChart.AxisSeries(this);
    IsDateTimeAxis = series != nullptr && (IsHorizontal ? series->XValues() : series->YValues()).DateTime();
}
