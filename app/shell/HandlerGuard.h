#pragma once
// Exceptions must not travel through Qt's event delivery, so every event
// handler is entered through this boundary: an escaping error is reported by
// the application and the event loop carries on with the next event.
#include <functional>
#include <utility>

class QObject;

// Runs `handler`; an exception leaving it goes to Application->HandleException(sender).
void InvokeHandler(QObject* sender, const std::function<void()>& handler);

// Wraps a handler for connect(): the returned callable runs it through InvokeHandler.
template <class Handler>
auto Guarded(QObject* sender, Handler handler)
{
    return [sender, handler = std::move(handler)](auto&&...) { InvokeHandler(sender, handler); };
}
