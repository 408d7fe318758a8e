#include "Elastic2/ChildControls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

bool IsContainer(const QWidget& control)
{
    const QMetaObject* kind = control.metaObject();
    return control.isWindow() || qobject_cast<const QGroupBox*>(&control) != nullptr ||
           kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject;
}

QList<QWidget*> ChildControls(const QWidget& parent)
{
    QList<QWidget*> labels;
    QList<QWidget*> windowed;
    for (QObject* child : parent.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control == nullptr || control->isWindow())
            continue;
        (qobject_cast<QLabel*>(control) != nullptr ? labels : windowed).append(control);
    }
    return labels + windowed;
}
