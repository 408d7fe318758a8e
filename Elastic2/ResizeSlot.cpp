#include "Elastic2/ResizeSlot.h"

#include <QEvent>
#include <QWidget>

TResizeSlot& TResizeSlot::Of(QWidget& Form)
{
    for (QObject* Child : Form.children())
        if (auto* Slot = dynamic_cast<TResizeSlot*>(Child))
            return *Slot;
    return *new TResizeSlot(Form);
}

TResizeSlot::TResizeSlot(QWidget& Form) : QObject(&Form)
{
    Form.installEventFilter(this);
}

bool TResizeSlot::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == parent() && Event->type() == QEvent::Resize && OnResize) {
        // A copy: the handler may replace itself (a component destroyed from inside it).
        const TNotifyEvent Handler = OnResize;
        if (Boundary)
            Boundary(Watched, [&] { Handler(Watched); });
        else
            Handler(Watched);
    }
    return false;
}
