#include "app/shell/HintManager.h"

#include "app/shell/ControlHint.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace {

QWidget* WidgetOfWindow(const QWindow* window)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == window)
            return w;
    }
    return nullptr;
}

bool CancelsHint(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::Wheel:
    case QEvent::ApplicationStateChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: return true;
    default: return false;
    }
}

}  // namespace

THintManager::THintManager()
{
    FPauseTimer.setSingleShot(true);
    FHideTimer.setSingleShot(true);
    connect(&FPauseTimer, &QTimer::timeout, this, &THintManager::ActivateHint);
    connect(&FHideTimer, &QTimer::timeout, this, &THintManager::HideHint);
    qApp->installEventFilter(this);
}

THintManager::~THintManager()
{
    qApp->removeEventFilter(this);
}

bool THintManager::eventFilter(QObject* watched, QEvent* event)
{
    // Pointer movements are taken where they enter the application, at the
    // native window: widgets without mouse tracking never see them.
    if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
        QWidget* top = WidgetOfWindow(static_cast<QWindow*>(watched));
        if (top && top != &FWindow) {
            const auto* move = static_cast<QMouseEvent*>(event);
            QWidget* under = top->childAt(move->position().toPoint());
            MouseMoved(under ? under : top, move->globalPosition().toPoint());
        }
    } else if (CancelsHint(event->type()) && FHintControl) {
        CancelHint();
    }
    return false;
}

void THintManager::MouseMoved(QWidget* under, QPoint globalPos)
{
    QWidget* control = under;
    while (control && !EffectiveShowHint(control))
        control = control->isWindow() ? nullptr : control->parentWidget();
    if (!control) {
        CancelHint();
        return;
    }
    if (control == FHintControl && FCursorRect.contains(globalPos))
        return;
    HideHint();
    FHintControl = control;
    FCursorRect = QRect();
    FPauseTimer.start(FHintActive ? HintShortPause : HintPause);
}

void THintManager::CancelHint()
{
    FPauseTimer.stop();
    HideHint();
    FHintControl = nullptr;
    FCursorRect = QRect();
    FHintActive = false;
}

void THintManager::ActivateHint()
{
    FPauseTimer.stop();
    if (!FHintControl || !QApplication::activeWindow())
        return;
    QWidget& control = *FHintControl;
    FCursorRect = QRect(control.mapToGlobal(QPoint(0, 0)), control.size());
    const QString text = HintText(&control);
    if (text.isEmpty())
        return;
    const QRect screen = control.screen()->geometry();
    FWindow.SetText(text, screen.width());
    FWindow.ActivateAt(FCursorRect.topLeft() + QPoint(0, control.height() + 6), screen);
    FHintActive = true;
    FHideTimer.start(HintHidePause);
}

void THintManager::HideHint()
{
    FHideTimer.stop();
    FWindow.hide();
}
