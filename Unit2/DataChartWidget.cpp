#include "Unit2/DataChartWidget.h"

#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

TShiftState ShiftOf(const QMouseEvent& event)
{
    TShiftState shift = 0;
    const Qt::KeyboardModifiers keys = event.modifiers();
    if (keys & Qt::ShiftModifier)
        shift |= ssShift;
    if (keys & Qt::AltModifier)
        shift |= ssAlt;
    if (keys & Qt::ControlModifier)
        shift |= ssCtrl;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

// False for buttons the chart does not know.
bool ButtonOf(const QMouseEvent& event, TMouseButton& button)
{
    switch (event.button()) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
    }
}

}  // namespace

TDataChartWidget::TDataChartWidget(QWidget* parent) : QWidget(parent)
{
    // The chart paints every pixel itself; erasing first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    FChart.OnInvalidate = [this] { RequestUpdate(); };
    FChart.OnUpdate = [this] {
        if (FHeld)
            FUpdateWaiting = true;
        else
            repaint();
    };
    FChart.OnDrawOnWindow = [this](const std::function<void(TChartCanvas&)>& draw) {
        if (FWindow.isNull())
            return;  // not painted yet: the first paint shows everything
        {
            TChartCanvas canvas(&FWindow);
            draw(canvas);
        }
        RequestUpdate();
    };
    FChart.OnCursorChange = [this](TCursor cursor) { ApplyCursor(cursor); };
    setMouseTracking(true);
    FChart.SetBounds(x(), y(), width(), height());
}

void TDataChartWidget::RequestUpdate()
{
    if (FHeld)
        FUpdateWaiting = true;
    else
        update();
}

void TDataChartWidget::HoldFrames(bool hold)
{
    FHeld = hold;
    if (!hold)
        PresentFrame();
}

void TDataChartWidget::PresentFrame()
{
    if (FUpdateWaiting)
        update();
    FUpdateWaiting = false;
}

void TDataChartWidget::paintEvent(QPaintEvent* event)
{
    // A clean chart has nothing new to show: the window keeps its pixels. Otherwise they
    // become a shared copy of the chart's image, released first so that the chart draws in
    // place; drawing on the window between paints detaches them.
    if (FChart.ImageDirty || FWindow.size() != size()) {
        FWindow = QImage();
        FWindow = FChart.UpdatedImage();
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), FWindow, event->rect());
}

void TDataChartWidget::resizeEvent(QResizeEvent* event)
{
    FChart.SetBounds(x(), y(), event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void TDataChartWidget::moveEvent(QMoveEvent* event)
{
    FChart.SetBounds(event->pos().x(), event->pos().y(), width(), height());
    QWidget::moveEvent(event);
}

void TDataChartWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    TMouseButton button;
    if (ButtonOf(*event, button))
        FChart.MouseDown(button, ShiftOf(*event), p.x(), p.y());
}

void TDataChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    TMouseButton button;
    if (ButtonOf(*event, button))
        FChart.MouseDown(button, ShiftOf(*event) | ssDouble, p.x(), p.y());
}

void TDataChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FChart.MouseMove(ShiftOf(*event), p.x(), p.y());
}

void TDataChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    TMouseButton button;
    if (ButtonOf(*event, button))
        FChart.MouseUp(button, ShiftOf(*event), p.x(), p.y());
}

void TDataChartWidget::leaveEvent(QEvent* event)
{
    FChart.MouseLeave();
    QWidget::leaveEvent(event);
}

void TDataChartWidget::ApplyCursor(TCursor cursor)
{
    switch (cursor) {
    case crCross: setCursor(Qt::CrossCursor); break;
    case crHandPoint: setCursor(Qt::PointingHandCursor); break;
    case crSizeAll: setCursor(Qt::SizeAllCursor); break;
    default: unsetCursor(); break;
    }
}
