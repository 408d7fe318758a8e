#pragma once
// The control tree as the elastic layout sees it.
#include <QList>

class QWidget;

// A control that holds child controls: a window, a group box, or a plain widget or frame.
// Compound widgets (edit fields, text boxes, buttons) are not containers: their internal
// children (viewports, scroll bars) belong to Qt's own layout.
bool IsContainer(const QWidget& control);

// The child controls of parent in visiting order: first the labels (controls that would be drawn on
// the parent's surface), then all other controls, each group in the parent's child order
// (creation order unless a control was raised). Child windows are not controls of the parent.
QList<QWidget*> ChildControls(const QWidget& parent);
