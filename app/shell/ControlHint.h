#pragma once
// Per-control hint text and hint switch. A control without a switch of its own
// (ParentShowHint) takes its parent's; windows default to off.
#include <QString>

class QWidget;

void SetHint(QWidget* control, const QString& hint);
// Switches the control's own hint switch on or off; it no longer follows its parent.
void SetShowHint(QWidget* control, bool show);
// The switch in effect: the control's own, else the nearest ancestor's, else off.
bool EffectiveShowHint(const QWidget* control);
// The control's hint, or the nearest ancestor's non-empty one, cut at its first "|".
QString HintText(const QWidget* control);
