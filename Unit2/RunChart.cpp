#include "Unit2/RunChart.h"

#include "base/DesignScale.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"

TRunChartSeries::TRunChartSeries(TDataChart& chart, int pixelsPerInch) : FChart(chart)
{
    chart.SetBackColor(0x39C9FF);
    chart.Gradient().SetVisible(true);
    chart.Gradient().SetEndColor(0x80FFFF);
    chart.LeftWall().SetColor(clSilver);
    chart.BottomWall().SetColor(clWhite);
    chart.Title().SetText({""});
    TChartFont& foot = chart.Foot().Font();
    foot.SetColor(clRed);
    foot.SetHeight(-ScaledFromDesign(13, pixelsPerInch));
    foot.SetName("Arial");
    foot.SetStyle(fsItalic);
    chart.BottomAxis()->Title().SetCaption("Generationen");
    TCustomChartLegend& legend = *chart.Legend();
    legend.SetAlignment(laBottom);
    legend.Font().SetColor(clBlack);
    legend.Font().SetHeight(-ScaledFromDesign(10, pixelsPerInch));
    legend.Font().SetName("Arial");
    legend.Font().SetStyle(0);
    legend.SetInverted(true);
    legend.SetLegendStyle(lsSeries);
    legend.SetTextStyle(ltsPlain);
    chart.SetView3D(false);

    Series3 = NewSeries("Series3", "Lebend-Nichtsexuell", clAqua);
    Series2 = NewSeries("Series2", "Lebend-Sexuell", 0x8000FF);
    Series4 = NewSeries("Series4", "GC-Nichtsexuell", clBlue);
    Series1 = NewSeries("Series1", "GC-Sexuell", clRed);
}

TLineSeries& TRunChartSeries::Of(TRunSeries series) const
{
    switch (series) {
    case TRunSeries::SexualGC: return *Series1;
    case TRunSeries::SexualLiving: return *Series2;
    case TRunSeries::AsexualLiving: return *Series3;
    case TRunSeries::AsexualGC: break;
    }
    return *Series4;
}

TLineSeries* TRunChartSeries::NewSeries(const char* name, const char* title, TColor color)
{
    std::unique_ptr<TLineSeries>* slot = FSeries;
    while (*slot)
        ++slot;
    *slot = std::make_unique<TLineSeries>();
    TLineSeries* series = slot->get();
    series->Name = name;
    series->SetTitle(title);
    series->SetSeriesColor(color);
    series->SetParentChart(&FChart);
    return series;
}
