#include "app/shell/WindowFrame.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

TWindowFrame::TWindowFrame(QWidget& window, QSize outerSize) : QObject(&window), FWindow(window), FOuterSize(outerSize)
{
    FWindow.resize(outerSize);
    FWindow.installEventFilter(this);
}

void TWindowFrame::MoveOuter(QPoint topLeft)
{
    // A shown window has its frame; so has one never shown yet, whose position the window
    // system takes as the frame's. A window shown before and hidden again is placed by its
    // client area, which goes where the frame it had puts it.
    if (FWindow.isVisible() || !FClientOffset)
        FWindow.move(topLeft);
    else
        FWindow.setGeometry(QRect(topLeft + *FClientOffset, FWindow.size()));
}

bool TWindowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &FWindow)
        return false;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move: KeepOuterSize(); break;
    case QEvent::Hide:
        // The frame may not be known again yet after a showing that placed the client area.
        if (const QPoint offset = FWindow.geometry().topLeft() - FWindow.frameGeometry().topLeft(); !offset.isNull())
            FClientOffset = offset;
        break;
    case QEvent::Resize:
        if (FGivingWay) {
            FGivingWay = false;
            if (OnGivenWay)
                OnGivenWay();
        }
        break;
    default: break;
    }
    return false;
}

// Giving way is not a user's resize; the resize may be delivered later than it is asked for.
void TWindowFrame::KeepOuterSize()
{
    const QSize frame = FWindow.frameSize() - FWindow.size();
    if (FOuterSizeKept || frame.isNull())
        return;
    FOuterSizeKept = true;
    FGivingWay = true;
    if (OnGivingWay)
        OnGivingWay();
    FWindow.resize(FOuterSize - frame);
}
