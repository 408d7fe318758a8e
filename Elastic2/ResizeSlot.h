#pragma once
// A window's resize event handler. Qt widgets have no assignable resize handler, so a window
// gets one from a hidden helper object it owns: the helper watches the window's QResizeEvents
// and calls OnResize with the window as sender. Qt delivers a QResizeEvent after the geometry
// has been updated, once per new size; a hidden window collects its resizes and reports its
// size once when it is shown, so nothing fires while the window is being constructed.
#include <QObject>
#include <functional>

class QWidget;

using TNotifyEvent = std::function<void(QObject* Sender)>;

// Runs an event handler on behalf of Sender; the application's error boundary fits here
// (exceptions must not travel through Qt's event delivery).
using THandlerBoundary = std::function<void(QObject* Sender, const std::function<void()>& Handler)>;

class TResizeSlot : public QObject {
public:
    // The window's slot, created empty on first use and owned by the window.
    static TResizeSlot& Of(QWidget& Form);

    TNotifyEvent OnResize;
    // Without a boundary the handler is called directly.
    THandlerBoundary Boundary;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    explicit TResizeSlot(QWidget& Form);
};
