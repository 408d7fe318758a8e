#pragma once
// Text to extended value, with the process-wide decimal separator.
#include <string_view>

// Accepts: spaces, optional sign, digits, optional separator and fraction
// digits, optional exponent, spaces. False for any other text and for a value
// beyond the extended range. The caller's floating-point state is kept.
bool TextToFloat(std::string_view text, long double& value);

// TextToFloat raising EConvertError on failure.
long double StrToFloat(std::string_view text);
