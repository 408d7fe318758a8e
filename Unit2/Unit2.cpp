#include "Unit2/Unit2.h"

#include "app/shell/DesignFont.h"
#include "app/shell/WindowFrame.h"
#include "base/DesignScale.h"

#include <QCloseEvent>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), FPixelsPerInch(logicalDpiY())
{
    setWindowTitle(QStringLiteral("Grafischer Output"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont(Scaled(13)));

    FChartWidget = new TDataChartWidget(this);
    DataChart1 = &FChartWidget->Chart();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FChartWidget);

    move(Scaled(471), Scaled(41));
    FFrame = new TWindowFrame(*this, {Scaled(535), Scaled(334)});

    FRunSeries = std::make_unique<TRunChartSeries>(*DataChart1, FPixelsPerInch);
    Series1 = FRunSeries->Series1;
    Series2 = FRunSeries->Series2;
    Series3 = FRunSeries->Series3;
    Series4 = FRunSeries->Series4;
}

TForm2::~TForm2() = default;

void TForm2::MoveOuter(QPoint topLeft)
{
    FFrame->MoveOuter(topLeft);
}

int TForm2::Scaled(int designValue) const
{
    return ScaledFromDesign(designValue, FPixelsPerInch);
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Closing only hides: the series keep their points for the next showing.
    event->accept();
    emit FormClose();
}
