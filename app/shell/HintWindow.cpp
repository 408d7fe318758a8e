#include "app/shell/HintWindow.h"

#include <QPainter>
#include <QToolTip>

namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}  // namespace

THintWindow::THintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
}

void THintWindow::SetText(const QString& text, int wrapWidth)
{
    FText = text;
    const QRect extent = fontMetrics().boundingRect(QRect(0, 0, wrapWidth, 0), kTextFlags, text);
    resize(extent.width() + 6, extent.height() + 2);
    update();
}

void THintWindow::ActivateAt(QPoint topLeft, const QRect& screen)
{
    QPoint p = topLeft;
    if (p.y() + height() > screen.bottom() + 1)
        p.setY(screen.bottom() + 1 - height());
    if (p.x() + width() > screen.right() + 1)
        p.setX(screen.right() + 1 - width());
    if (p.x() < screen.left())
        p.setX(screen.left());
    move(p);
    show();
}

void THintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(2, 0, -2, 0), kTextFlags, FText);
}
