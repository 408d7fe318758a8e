#include "Elastic2/ChildControls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

bool IsContainer(const QWidget& Control)
{
    const QMetaObject* Kind = Control.metaObject();
    return Control.isWindow() || qobject_cast<const QGroupBox*>(&Control) != nullptr
        || Kind == &QWidget::staticMetaObject || Kind == &QFrame::staticMetaObject;
}

QList<QWidget*> ChildControls(const QWidget& Parent)
{
    QList<QWidget*> Labels;
    QList<QWidget*> Windowed;
    for (QObject* Child : Parent.children()) {
        auto* Control = qobject_cast<QWidget*>(Child);
        if (Control == nullptr || Control->isWindow())
            continue;
        (qobject_cast<QLabel*>(Control) != nullptr ? Labels : Windowed).append(Control);
    }
    return Labels + Windowed;
}
