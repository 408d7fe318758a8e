#pragma once
// The chart window "Grafischer Output": a stay-on-top window filled by DataChart1 with the
// four line series of a run. Closing it only hides it and emits FormClose.
#include "Unit2/DataChartWidget.h"
#include "Unit2/RunChart.h"

#include <QWidget>
#include <memory>

class TWindowFrame;

class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Puts the window's outer top-left corner, frame included, on the point.
    void MoveOuter(QPoint topLeft);
    // While held, the chart shows a new picture only when a frame is presented.
    void HoldFrames(bool hold) { FChartWidget->HoldFrames(hold); }
    void PresentFrame() { FChartWidget->PresentFrame(); }

    TDataChart* DataChart1;
    // In the chart's series order: Series3, Series2, Series4, Series1.
    TLineSeries* Series1;
    TLineSeries* Series2;
    TLineSeries* Series3;
    TLineSeries* Series4;
    // The same series by the run's measures.
    const TRunChartSeries& RunSeries() const { return *FRunSeries; }

signals:
    // The user closed the window (it is hidden, not destroyed).
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Design values are at 120 pixels per inch.
    int Scaled(int designValue) const;

    TWindowFrame* FFrame;
    TDataChartWidget* FChartWidget;
    int FPixelsPerInch;
    std::unique_ptr<TRunChartSeries> FRunSeries;
};

// Created hidden by the application shell after the main window.
extern TForm2* Form2;
