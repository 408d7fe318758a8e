#pragma once
// The chart of a run as the chart window shows it, without a window: settings, the four
// series and the size. The window and the runner's pictures both build it here.
#include "Unit2/RunChartSize.h"
#include "chart/Chart/DataChart.h"
#include "chart/Series/LineSeries.h"
#include "main/SimulationRun.h"

#include <memory>

// Configures the chart and creates its four series on it, in the chart's series order
// Series3, Series2, Series4, Series1. The series leave the chart when this is destroyed.
class TRunChartSeries {
public:
    TRunChartSeries(TDataChart& chart, int pixelsPerInch);

    TLineSeries* Series1;  // "GC-Sexuell"
    TLineSeries* Series2;  // "Lebend-Sexuell"
    TLineSeries* Series3;  // "Lebend-Nichtsexuell"
    TLineSeries* Series4;  // "GC-Nichtsexuell"

    // The series that shows one of the run's four measures.
    TLineSeries& Of(TRunSeries series) const;

private:
    TLineSeries* NewSeries(const char* name, const char* title, TColor color);

    TDataChart& FChart;
    std::unique_ptr<TLineSeries> FSeries[4];
};
