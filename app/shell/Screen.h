#pragma once
// The screen-wide cursor: while it is not crDefault every window of the
// application shows it, whatever the control under the pointer would show.
#include "app/Cursor.h"

class TScreen {
public:
    TScreen();
    ~TScreen();
    TScreen(const TScreen&) = delete;
    TScreen& operator=(const TScreen&) = delete;

    TCursor Cursor() const { return FCursor; }
    // Setting the current value does nothing; crDefault brings the normal
    // cursor back at once, without waiting for a mouse movement.
    void SetCursor(TCursor cursor);

private:
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
