#pragma once
// Pictures of the chart window's chart, drawn by the chart engine without a display.
#include "Unit2/RunChart.h"
#include "batch/study/StudyOptions.h"
#include "batch/study/StudySummary.h"
#include "main/SimulationRun.h"

#include <QImage>
#include <array>
#include <functional>
#include <string>

// Starts the offscreen window system at the design resolution unless an application runs.
void EnsurePictureApplication();

// The chart with what `fill` put into its series, at the picture's size and view.
QImage RunChartPicture(const TPictureOptions& picture, const std::function<void(TRunChartSeries&)>& fill);

// The run's points in the four series, as the main window adds them.
class TChartHost : public TRunHost {
public:
    explicit TChartHost(const TRunChartSeries& series) : FSeries(series) {}

    void ClearLines(TResultBox) override {}
    void AppendLine(TResultBox, std::string_view) override {}
    void ClearSeries(TRunSeries series) override;
    void AddPoint(TRunSeries series, double value, std::uint32_t colour) override;
    bool ChartVisible() override { return false; }
    void ProcessMessages() override {}
    void SetBusyCursor(bool) override {}

private:
    const TRunChartSeries& FSeries;
};

// One run's picture, from the same fields (the same seed) as the run whose output was shown.
// A run that fails leaves the points it produced, as in the window.
QImage RunPicture(const TRunFields& fields, const TPictureOptions& picture);
// Raises std::runtime_error when the file cannot be written.
void SaveRunPicture(const TRunFields& fields, const TPictureOptions& picture);

// One figure per parameter set: the means per recorded generation with their 95 % bands, each
// series carrying what its title says, a title with the set's parameters and run count; PNG,
// PDF or SVG by the file's extension. With several sets the set number goes before the
// extension ("a.png" becomes "a-1.png", ...).
void SaveStudyPictures(const TStudySummary& summary, const TPictureOptions& picture);
