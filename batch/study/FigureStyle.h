#pragma once
// What the study's figures add to the chart window's look: text and lines that grow with the
// picture, a title, a y-axis title, and extra line series that the chart owns with the figure.
#include "Unit2/RunChart.h"
#include "batch/study/StudyOptions.h"

#include <memory>
#include <string>
#include <vector>

// The parameter names as the main window's fields call them, in TParameter order.
extern const char* const kParameterLabels[kParameterCount];

// "Initgen AAATTCCCGG, Läufe 500, ..." over the given parameters.
std::string ParameterCaption(const TParameterTexts& parameters, const std::vector<TParameter>& which);

class TFigureStyle {
public:
    // The chart must be configured as the window's (TRunChartSeries) first.
    TFigureStyle(TDataChart& chart, const TPictureOptions& picture);

    // Title lines above the chart and the y-axis title.
    void SetTitles(std::vector<std::string> title, const std::string& yTitle);
    // Line width for the picture's size.
    std::int32_t LineWidth() const { return FLineWidth; }
    // A new series at the end of the chart's list, drawn with the given pen style and width.
    TLineSeries* AddSeries(const std::string& title, TColor color, TPenStyle style, bool inLegend);
    // Gives an existing series the figure's line width.
    void Widen(TLineSeries& series) const;

private:
    void Scale(TChartFont& font) const;

    TDataChart& FChart;
    double FScale;
    std::int32_t FLineWidth;
    std::vector<std::unique_ptr<TLineSeries>> FSeries;
};
