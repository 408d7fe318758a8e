#pragma once
// Error classes of the front end; the floating-point ones come with the model.
#include "base/Exception.h"

#include <string_view>

KELVARO_EXCEPTION_CLASS(EConvertError, Exception);
KELVARO_EXCEPTION_CLASS(EOutOfMemory, Exception);
// The silent abort: the shell never shows it.
KELVARO_EXCEPTION_CLASS(EAbort, Exception);

inline constexpr const char* kOutOfMemoryMessage = "Speicher reicht nicht aus";
inline constexpr const char* kInvalidIntegerMessage = "'%s' ist kein gültiger Integerwert";
inline constexpr const char* kInvalidFloatMessage = "'%s' ist kein gültiger Gleitkommawert";

// Builds the conversion error for `text` from one of the two templates above.
EConvertError ConvertError(const char* messageTemplate, std::string_view text);
