#include "app/shell/Screen.h"

#include <QCursor>
#include <QGuiApplication>

TScreen* Screen = nullptr;

namespace {

Qt::CursorShape ShapeOf(TCursor cursor)
{
    switch (cursor) {
    case crHourGlass: return Qt::WaitCursor;
    case crCross: return Qt::CrossCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

TScreen::TScreen()
{
    Screen = this;
}

TScreen::~TScreen()
{
    SetCursor(crDefault);
    if (Screen == this)
        Screen = nullptr;
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == FCursor)
        return;
    const bool overriding = FCursor != crDefault;
    FCursor = cursor;
    // At most one override cursor of ours is on Qt's stack at any time.
    if (cursor == crDefault)
        QGuiApplication::restoreOverrideCursor();
    else if (overriding)
        QGuiApplication::changeOverrideCursor(QCursor(ShapeOf(cursor)));
    else
        QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
}
