#pragma once
// Thin window for the chart engine: paint requests go to Paint, geometry to SetBounds, and the
// engine's Invalidate becomes a repaint without erasing the background. The window's pixels
// live in an image of their own, so what the engine draws between paints (the zoom band)
// stays until the next paint, whatever the window system exposes meanwhile. While frames are
// held, the chart's own requests to repaint wait for the next frame; the window system's
// paint requests are served as always.
#include "chart/Chart/DataChart.h"

#include <QImage>
#include <QWidget>

class TDataChartWidget : public QWidget {
public:
    explicit TDataChartWidget(QWidget* parent = nullptr);

    TDataChart& Chart() { return FChart; }

    // On: the chart's requests to repaint wait for PresentFrame. Off: what waits is repainted.
    void HoldFrames(bool hold);
    // Repaints, at the next processing of events, what changed since the last frame.
    void PresentFrame();

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
    void RequestUpdate();

    TDataChart FChart;
    QImage FWindow;
    bool FHeld = false;
    bool FUpdateWaiting = false;
};
