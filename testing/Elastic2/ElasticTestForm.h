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

// Shows the form and gives it the outer size Width × Height (frame included).
void ShowWithOuterSize(QWidget& Form, int Width, int Height);

// Resizes so that the outer size becomes Width × Height.
void SetOuterSize(QWidget& Form, int Width, int Height);

QWidget& Control(QWidget& Form, const QString& Name);
QLabel& LabelOf(QWidget& Form, const QString& Name);

// Every control of the form that carries a design name.
QList<QWidget*> AllControlsOf(QWidget& Form);

// Readable rectangles in test failures.
void PrintTo(const QRect& Rect, std::ostream* Out);
