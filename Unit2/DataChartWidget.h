#pragma once
// Thin window for the chart engine: paint requests go to Paint, geometry to SetBounds, and the
// engine's Invalidate becomes a repaint without erasing the background. The window's pixels
// live in an image of their own, so what the engine draws between paints (the zoom band)
// stays until the next paint, whatever the window system exposes meanwhile.
#include "chart/Chart/DataChart.h"

#include <QImage>
#include <QWidget>

class TDataChartWidget : public QWidget {
public:
    explicit TDataChartWidget(QWidget* parent = nullptr);

    TDataChart& Chart() { return FChart; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ApplyCursor(TCursor cursor);

    TDataChart FChart;
    QImage FWindow;
};
