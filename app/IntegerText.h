#pragma once
// Integer <-> text conversions of the parameter fields and result lines.
#include <cstdint>
#include <string>
#include <string_view>

// Decimal or "$"-hexadecimal text to a 32-bit integer; raises EConvertError.
std::int32_t StrToInt(std::string_view text);

std::string IntToStr(std::int32_t value);
