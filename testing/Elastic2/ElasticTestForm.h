#pragma once
// A window with the main window's controls at their design values (120 pixels per inch),
// built from plain Qt widgets, for the elastic layout tests.
#include <QString>
#include <QWidget>
#include <memory>
#include <ostream>

class QLabel;

// Top-level window with the controls of the main window; not yet shown.
std::unique_ptr<QWidget> MakeTestForm();

// Shows the form and gives it the outer size width × height (frame included).
void ShowWithOuterSize(QWidget& form, int width, int height);

// Resizes so that the outer size becomes width × height.
void SetOuterSize(QWidget& form, int width, int height);

QWidget& Control(QWidget& form, const QString& name);
QLabel& LabelOf(QWidget& form, const QString& name);

// Every control of the form that carries a design name.
QList<QWidget*> AllControlsOf(QWidget& form);

// Readable rectangles in test failures.
void PrintTo(const QRect& rect, std::ostream* out);
