#include "Unit2/DataChartWidget.h"

#include <QMoveEvent>
#include <QResizeEvent>

DataChartWidget::DataChartWidget(QWidget* parent) : QWidget(parent)
{
    // The chart paints every pixel itself; erasing first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    FChart.OnInvalidate = [this] { update(); };
    FChart.SetBounds(x(), y(), width(), height());
}

void DataChartWidget::paintEvent(QPaintEvent*)
{
    TChartCanvas canvas(this);
    FChart.Paint(canvas);
}

void DataChartWidget::resizeEvent(QResizeEvent* event)
{
    FChart.SetBounds(x(), y(), event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void DataChartWidget::moveEvent(QMoveEvent* event)
{
    FChart.SetBounds(event->pos().x(), event->pos().y(), width(), height());
    QWidget::moveEvent(event);
}
