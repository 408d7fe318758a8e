#include "app/shell/ControlHint.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kHint = "kelvaroHint";
constexpr const char* kShowHint = "kelvaroShowHint";
}  // namespace

void SetHint(QWidget* control, const QString& hint)
{
    control->setProperty(kHint, hint);
}

void SetShowHint(QWidget* control, bool show)
{
    control->setProperty(kShowHint, show);
}

bool EffectiveShowHint(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QVariant own = w->property(kShowHint);
        if (own.isValid())
            return own.toBool();
    }
    return false;
}

QString HintText(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString hint = w->property(kHint).toString();
        if (!hint.isEmpty())
            return hint.section(u'|', 0, 0);
    }
    return {};
}
