#include "batch/study/FigureStyle.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"

#include <algorithm>
#include <cmath>

const char* const kParameterLabels[kParameterCount] = {"Initgen", "Läufe", "Mutationrate", "Mutationlimit",
                                                       "Parasitkillfaktor"};

std::string ParameterCaption(const TParameterTexts& parameters, const std::vector<TParameter>& which)
{
    std::string caption;
    for (TParameter p : which) {
        if (!caption.empty())
            caption += ", ";
        caption += std::string(kParameterLabels[p]) + ' ' + parameters[p];
    }
    return caption;
}

TFigureStyle::TFigureStyle(TDataChart& chart, const TPictureOptions& picture)
    : FChart(chart),
      FScale(std::max(1.0, std::min(picture.Width / double{kRunChartWidth}, picture.Height / double{kRunChartHeight}))),
      FLineWidth(std::max(1, static_cast<std::int32_t>(std::lround(FScale))))
{
    Scale(chart.Title().Font());
    Scale(chart.Legend()->Font());
    for (TChartAxis* axis : {chart.LeftAxis(), chart.BottomAxis()}) {
        Scale(axis->LabelsFont());
        Scale(axis->Title().Font());
    }
    chart.Title().Font().SetColor(clBlack);
}

void TFigureStyle::Scale(TChartFont& font) const
{
    font.SetHeight(static_cast<std::int32_t>(std::lround(font.Height() * FScale)));
}

void TFigureStyle::SetTitles(std::vector<std::string> title, const std::string& yTitle)
{
    FChart.Title().SetText(std::move(title));
    FChart.LeftAxis()->Title().SetCaption(yTitle);
}

void TFigureStyle::Widen(TLineSeries& series) const
{
    series.LinePen().SetWidth(FLineWidth);
}

TLineSeries* TFigureStyle::AddSeries(const std::string& title, TColor color, TPenStyle style, bool inLegend)
{
    TLineSeries* series = FSeries.emplace_back(std::make_unique<TLineSeries>()).get();
    series->SetTitle(title);
    series->SetSeriesColor(color);
    series->SetShowInLegend(inLegend);
    series->LinePen().SetStyle(style);
    series->LinePen().SetWidth(style == psSolid ? FLineWidth : 1);
    series->SetParentChart(&FChart);
    return series;
}
