#pragma once
// A window's resize event handler. Qt widgets have no assignable resize handler, so a window
// gets one from a hidden helper object it owns: the helper watches the window's QResizeEvents
// and calls OnResize with the window as sender. Qt delivers a QResizeEvent after the geometry
// has been updated, once per new size; a hidden window collects its resizes and reports its
// size once when it is shown, so nothing fires while the window is being constructed.
#include <QObject>
#include <functional>

class QWidget;

using TNotifyEvent = std::function<void(QObject* sender)>;

// Runs an event handler on behalf of sender; the application's error boundary fits here
// (exceptions must not travel through Qt's event delivery).
using THandlerBoundary = std::function<void(QObject* sender, const std::function<void()>& handler)>;

class TResizeSlot : public QObject {
public:
    // The window's slot, created empty on first use and owned by the window.
    static TResizeSlot& Of(QWidget& form);

    TNotifyEvent OnResize;
    // Without a boundary the handler is called directly.
    THandlerBoundary Boundary;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TResizeSlot(QWidget& form);
};
