#pragma once
// The box for an error that escapes before the message loop runs; the program ends after it.
#include <QString>

struct TErrorInfo;
class TMessagePresenter;

inline constexpr const char* kStartupErrorCaption = "Anwendungsfehler";

// "Exception %s im Modul %s bei %p.\n%s%s": class, module file name, code address,
// message, and a "." only when the message does not already end with one.
QString StartupErrorText(const TErrorInfo& error, const QString& module, const void* address);

// Describes the exception being handled and shows the box; call inside a catch block.
void ShowStartupError(TMessagePresenter& presenter, const void* address);
