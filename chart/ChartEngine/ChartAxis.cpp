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
    FSettings = axis->FSettings;
    FTicks.Assign(axis->FTicks);
    FMinorTicks.Assign(axis->FMinorTicks);
    FTicksInner.Assign(axis->FTicksInner);
    FAxis.Assign(axis->FAxis);
    FGrid.Assign(axis->FGrid);
    FTitle.Assign(axis->FTitle);
    Repaint();
}

void TChartAxis::SetSettings(TAxisSettings value)
{
    value.LabelsAngle = CheckAxisAngle(value.LabelsAngle, "Axis Labels");
    if (value.LabelsSeparation < 0)
        throw AxisException("Labels Separation % must be greater than 0");
    if (value.Maximum < value.Minimum)
        throw AxisException(value.Maximum != FSettings.Maximum ? "Axis Maximum Value must be >= Minimum"
                                                               : "Axis Minimum Value must be <= Maximum");
    if (value.Increment < 0)
        throw AxisException("Axis increment must be >= 0");
    if (value.Logarithmic && !FSettings.Logarithmic) {
        if (IsDateTimeAxis)
            throw AxisException("DateTime Axis cannot be Logarithmic");
        if (CurrentMinimum < 0 || CurrentMaximum < 0)
            throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
    }
    if (value == FSettings)
        return;
    FSettings = std::move(value);
    Repaint();
}

void TChartAxis::SetAutomatic(bool value)
{
    TAxisSettings settings = FSettings;
    settings.Automatic = settings.AutomaticMinimum = settings.AutomaticMaximum = value;
    SetSettings(std::move(settings));
}

void TChartAxis::SetAutomaticMaximum(bool value)
{
    SetAutomaticEnd(&TAxisSettings::AutomaticMaximum, value);
}

void TChartAxis::SetAutomaticMinimum(bool value)
{
    SetAutomaticEnd(&TAxisSettings::AutomaticMinimum, value);
}

void TChartAxis::SetAutomaticEnd(bool TAxisSettings::*end, bool value)
{
    // A fixed end makes the whole axis non-automatic; an automatic end leaves Automatic alone.
    TAxisSettings settings = FSettings;
    settings.*end = value;
    settings.Automatic = settings.Automatic && value;
    SetSettings(std::move(settings));
}

void TChartAxis::SetMinMax(double a, double b)
{
    FSettings.Automatic = FSettings.AutomaticMinimum = FSettings.AutomaticMaximum = false;
    FSettings.Minimum = std::min(a, b);
    FSettings.Maximum = std::max(a, b);
    if (FSettings.Maximum - FSettings.Minimum < 0.001) {
        FSettings.Minimum = a;
        FSettings.Maximum = b + 0.001;
    }
    Repaint();
}

void TChartAxis::AdjustRange()
{
    if (FSettings.Automatic || FSettings.AutomaticMaximum)
        FSettings.Maximum = FChart.SeriesMinMax(this, false, IsHorizontal);
    if (FSettings.Automatic || FSettings.AutomaticMinimum)
        FSettings.Minimum = FChart.SeriesMinMax(this, true, IsHorizontal);
    CurrentMaximum = FSettings.Maximum;
    CurrentMinimum = FSettings.Minimum;
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
        return pixel(FSettings.Inverted ? std::int64_t{r.Right} - t : std::int64_t{r.Left} + t);
    }
    const std::int64_t t = AxisScale::Round(offset * -FChart.ChartHeight / CurrentRange);
    return pixel(FSettings.Inverted ? std::int64_t{r.Top} - t : std::int64_t{r.Bottom} + t);
}

double TChartAxis::PixelToValue(std::int32_t pixel) const
{
    const TRect& r = FChart.ChartRect;
    if (IsHorizontal) {
        if (FChart.ChartWidth <= 0)
            return 0;
        const long double d = FSettings.Inverted ? r.Right - pixel : pixel - r.Left;
        return static_cast<double>(d * CurrentRange / FChart.ChartWidth + CurrentMinimum);
    }
    if (FChart.ChartHeight <= 0)
        return 0;
    const long double d = FSettings.Inverted ? r.Bottom - pixel : pixel - r.Top;
    return static_cast<double>(CurrentMaximum - d * CurrentRange / FChart.ChartHeight);
}

double TChartAxis::ComputeIncrement()
{
    const std::int32_t extent = std::max(LabelExtent(CurrentMinimum), LabelExtent(CurrentMaximum));
    const std::int32_t length = IsHorizontal ? FChart.ChartWidth : FChart.ChartHeight;
    return IncrementForCount(AxisScale::LabelCount(extent, length, FSettings.LabelsSeparation));
}

double TChartAxis::IncrementForCount(std::int32_t count) const
{
    return AxisScale::IncrementForCount(count, FSettings.Increment, CurrentRange, FSettings.LabelsSeparation);
}

double TChartAxis::NextIncrementStep(double step)
{
    return AxisScale::NextIncrementStep(step);
}

std::int32_t TChartAxis::LabelExtent(double value)
{
    const bool alongText = FSettings.LabelsAngle == 0 || FSettings.LabelsAngle == 180;
    if (alongText == IsHorizontal)
        return FChart.TextWidth(LabelText(value));
    return FChart.FontHeight();
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const
{
    if (FSettings.LabelStyle != talAuto)
        return FSettings.LabelStyle;
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
    std::string text = FormatAxisValue(value, FSettings.AxisValuesFormat, DecimalSeparator, ThousandSeparator);
    if (!FMeasuring && FChart.OnGetAxisLabel)
        FChart.OnGetAxisLabel(*this, nullptr, -1, text);
    return text;
}

void TChartAxis::RecalcDateTime()
{
    const TChartSeries* series = FChart.AxisSeries(this);
    IsDateTimeAxis = series != nullptr && (IsHorizontal ? series->XValues() : series->YValues()).DateTime();
}
