#pragma once
// Checked input and output of the runner's own files: the results on standard output and the
// file that holds back the asexual lines. Either ends the run at once.
#include "base/Exception.h"

#include <string>
#include <string_view>

KELVARO_EXCEPTION_CLASS(EOutputError, Exception);

// The cause of a failed call in words for the common errno values.
std::string ErrorText(int error);

// "<what>: <cause>", the cause in words.
[[noreturn]] void RaiseOutputError(std::string_view what, int error);

// Writes all of `text` to `descriptor`, resuming after signals; raises EOutputError
// with `what` when the write fails.
void WriteAll(int descriptor, std::string_view text, std::string_view what);
