#include "app/shell/HandlerGuard.h"

#include "app/shell/Application.h"

#include "base/FloatEnvironment.h"

void InvokeHandler(QObject* sender, const std::function<void()>& handler)
{
    // The model finds floating faults by their sticky flags; flags left behind
    // by toolkit code between events must not be taken for faults of this handler.
    SetFloatEnvironment();
    try {
        handler();
    } catch (...) {
        Application->HandleException(sender);
    }
}
