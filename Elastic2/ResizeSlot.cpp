#include "Elastic2/ResizeSlot.h"

#include <QEvent>
#include <QWidget>

TResizeSlot& TResizeSlot::Of(QWidget& form)
{
    for (QObject* child : form.children())
        if (auto* slot = dynamic_cast<TResizeSlot*>(child))
            return *slot;
    return *new TResizeSlot(form);
}

TResizeSlot::TResizeSlot(QWidget& form) : QObject(&form)
{
    form.installEventFilter(this);
}

bool TResizeSlot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && OnResize) {
        // A copy: the handler may replace itself (a component destroyed from inside it).
        const TNotifyEvent handler = OnResize;
        if (Boundary)
            Boundary(watched, [&] { handler(watched); });
        else
            handler(watched);
    }
    return false;
}
