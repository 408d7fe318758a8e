#include "HandlerGuard.h"

#include "Application.h"

void InvokeHandler(QObject* sender, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        Application->HandleException(sender);
    }
}
