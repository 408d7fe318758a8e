#include "app/shell/TopMostLayer.h"

#include <QApplication>
#include <QWindow>

// The flag is changed on the native window only: QWidget::setWindowFlags
// would hide and recreate the window, and code that asks whether the chart
// window is visible must keep getting "yes".
void TTopMostLayer::NormalizeTopMosts(const QWidget* mainForm)
{
    if (FTakeOuts++ > 0)
        return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        QWindow* window = w->windowHandle();
        if (w == mainForm || !w->isVisible() || !window || !(w->windowFlags() & Qt::WindowStaysOnTopHint))
            continue;
        window->setFlags(window->flags() & ~Qt::WindowStaysOnTopHint);
        FTakenOut.append(w);
    }
}

void TTopMostLayer::RestoreTopMosts()
{
    if (FTakeOuts == 0 || --FTakeOuts > 0)
        return;
    for (const QPointer<QWidget>& w : std::as_const(FTakenOut)) {
        if (w && w->windowHandle())
            w->windowHandle()->setFlags(w->windowHandle()->flags() | Qt::WindowStaysOnTopHint);
    }
    FTakenOut.clear();
}
