#pragma once
// The tool-tip window: text left-aligned with word wrap and honoured line
// breaks, on the hint colour, shown topmost without taking the activation.
#include <QColor>
#include <QWidget>

class THintWindow : public QWidget {
public:
    THintWindow();

    QString Text() const { return FText; }
    // Sizes the window for `text`: its laid-out extent plus 6 pixels in width and 2 in height.
    void SetText(const QString& text, int wrapWidth);
    // Shows the window at `topLeft`, moved up or left so it ends inside
    // `screen`, and never left of the screen's left edge.
    void ActivateAt(QPoint topLeft, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FText;
};
