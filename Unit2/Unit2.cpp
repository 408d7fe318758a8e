#include "Unit2/Unit2.h"

#include "app/shell/DesignFont.h"
#include "app/shell/WindowFrame.h"
#include "chart/ChartAxis.h"
#include "chart/ChartLegend.h"

#include <QCloseEvent>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), FPixelsPerInch(logicalDpiY())
{
    setWindowTitle(QStringLiteral("Grafischer Output"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont(Scaled(13)));

    FChartWidget = new DataChartWidget(this);
    DataChart1 = &FChartWidget->Chart();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FChartWidget);

    move(Scaled(471), Scaled(41));
    FFrame = new TWindowFrame(*this, {Scaled(535), Scaled(334)});

    ConfigureChart();
    Series3 = NewSeries("Series3", "Lebend-Nichtsexuell", clAqua);
    Series2 = NewSeries("Series2", "Lebend-Sexuell", 0x8000FF);
    Series4 = NewSeries("Series4", "GC-Nichtsexuell", clBlue);
    Series1 = NewSeries("Series1", "GC-Sexuell", clRed);
}

TForm2::~TForm2() = default;

void TForm2::MoveOuter(QPoint topLeft)
{
    FFrame->MoveOuter(topLeft);
}

int TForm2::Scaled(int designValue) const
{
    return MulDiv(designValue, FPixelsPerInch, 120);
}

void TForm2::ConfigureChart()
{
    TDataChart& chart = *DataChart1;
    chart.SetBackColor(0x39C9FF);
    chart.Gradient().SetVisible(true);
    chart.Gradient().SetEndColor(0x80FFFF);
    chart.LeftWall().SetColor(clSilver);
    chart.BottomWall().SetColor(clWhite);
    chart.Title().SetText({""});
    TChartFont& foot = chart.Foot().Font();
    foot.SetColor(clRed);
    foot.SetHeight(-Scaled(13));
    foot.SetName("Arial");
    foot.SetStyle(fsItalic);
    chart.BottomAxis()->Title().SetCaption("Generationen");
    TCustomChartLegend& legend = *chart.Legend();
    legend.SetAlignment(laBottom);
    legend.Font().SetColor(clBlack);
    legend.Font().SetHeight(-Scaled(10));
    legend.Font().SetName("Arial");
    legend.Font().SetStyle(0);
    legend.SetInverted(true);
    legend.SetLegendStyle(lsSeries);
    legend.SetTextStyle(ltsPlain);
    chart.SetView3D(false);
}

TLineSeries* TForm2::NewSeries(const char* name, const char* title, TColor color)
{
    std::unique_ptr<TLineSeries>* slot = FSeries;
    while (*slot)
        ++slot;
    *slot = std::make_unique<TLineSeries>();
    TLineSeries* series = slot->get();
    series->Name = name;
    series->SetTitle(title);
    series->SetSeriesColor(color);
    series->SetParentChart(DataChart1);
    return series;
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Closing only hides: the series keep their points for the next showing.
    event->accept();
    emit FormClose();
}
