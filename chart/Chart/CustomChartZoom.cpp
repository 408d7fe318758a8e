// Zooming and scrolling the chart's axes: fixed ranges while zoomed, the automatic state kept
// from before the first zoom or scroll for UndoZoom.
#include "chart/Chart/CustomChart.h"

#include "chart/ChartEngine/ChartAxis.h"

#include <utility>

void TCustomChart::SaveScales()
{
    const auto axes = SavedAxes();
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const TChartAxis& axis = *axes[i];
        SavedScales[i] = {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
                          axis.Maximum()};
    }
    ScalesSaved = true;
}

void TCustomChart::ZoomRect(const TRect& rect)
{
    Zoom.X0 = rect.Left;
    Zoom.Y0 = rect.Top;
    Zoom.X1 = rect.Right;
    Zoom.Y1 = rect.Bottom;
    if (Zoom.X0 > Zoom.X1)
        std::swap(Zoom.X0, Zoom.X1);
    if (Zoom.Y0 > Zoom.Y1)
        std::swap(Zoom.Y0, Zoom.Y1);
    // Pixel rows grow downwards, values upwards: the bottom row gives the minimum.
    const auto vertical = [this](const TChartAxis* axis) {
        return TAxisRange{axis->PixelToValue(Zoom.Y1), axis->PixelToValue(Zoom.Y0)};
    };
    const auto horizontal = [this](const TChartAxis* axis) {
        return TAxisRange{axis->PixelToValue(Zoom.X0), axis->PixelToValue(Zoom.X1)};
    };
    ZoomValues(vertical(LeftAxis()), vertical(RightAxis()), horizontal(TopAxis()), horizontal(BottomAxis()));
}

void TCustomChart::ZoomValues(TAxisRange left, TAxisRange right, TAxisRange top, TAxisRange bottom)
{
    if (!ScalesSaved)
        SaveScales();
    const std::pair<TChartAxis*, TAxisRange> targets[] = {
        {LeftAxis(), left}, {RightAxis(), right}, {TopAxis(), top}, {BottomAxis(), bottom}};
    if (AnimatedZoom) {
        for (std::int32_t step = 1; step < AnimatedZoomSteps; ++step) {
            for (const auto& [axis, target] : targets) {
                const double min = axis->Minimum();
                const double max = axis->Maximum();
                axis->SetMinMax(min + (target.Min - min) / 3, max - (max - target.Max) / 3);
            }
            Repaint();
        }
    }
    for (const auto& [axis, target] : targets)
        axis->SetMinMax(target.Min, target.Max);
    Zoomed = true;
    if (OnZoom)
        OnZoom(*this);
}

void TCustomChart::UndoZoom()
{
    if (ScalesSaved) {
        const auto axes = SavedAxes();
        for (std::size_t i = 0; i < axes.size(); ++i) {
            TChartAxis& axis = *axes[i];
            const TAxisSavedScales& saved = SavedScales[i];
            // The fixed range first: SetMinMax clears the flags restored after it.
            if (!saved.Automatic)
                axis.SetMinMax(saved.Minimum, saved.Maximum);
            axis.SetAutomatic(saved.Automatic);
            axis.SetAutomaticMinimum(saved.AutomaticMinimum);
            axis.SetAutomaticMaximum(saved.AutomaticMaximum);
        }
    }
    ScalesSaved = false;
    if (OnUndoZoom)
        OnUndoZoom(*this);
    Invalidate();
    Zoomed = false;
}

bool TCustomChart::ScrollAxis(TChartAxis& axis, std::int32_t from, std::int32_t to)
{
    const double delta = axis.PixelToValue(from) - axis.PixelToValue(to);
    double min = axis.Minimum() + delta;
    double max = axis.Maximum() + delta;
    bool allow = true;
    if (OnAllowScroll)
        OnAllowScroll(axis, min, max, allow);
    if (allow)
        axis.SetMinMax(min, max);
    return allow;
}
