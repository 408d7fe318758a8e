#include "app/shell/CheckBox.h"

#include "app/shell/HandlerGuard.h"

TCheckBox::TCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::toggled, this, [this] {
        if (OnClick)
            InvokeHandler(window(), OnClick);
    });
}
