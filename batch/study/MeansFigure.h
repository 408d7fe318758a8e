#pragma once
// A study's figure of one parameter set: the chart window's chart with the means per recorded
// generation at their generation and their 95 % bands, each series carrying what its title
// says, and a title with the set's parameters and run count.
#include "batch/study/FigureFile.h"
#include "batch/study/FigureStyle.h"
#include "batch/study/StudySummary.h"

// Needs the picture application (EnsurePictureApplication).
class TMeansFigure {
public:
    TMeansFigure(const TStudySummary& summary, std::int32_t set, const TPictureOptions& picture);

    TFigureChart Chart;
    TRunChartSeries Series;
    TFigureStyle Style;
};
