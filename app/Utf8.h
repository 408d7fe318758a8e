#pragma once
// Minimal UTF-8 coding for the conversions and genes; malformed bytes decode to U+FFFD.
#include <string>
#include <string_view>

std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t c);
// Writes the 1 to 4 bytes of `c` to `out`; returns their number.
std::size_t EncodeUtf8(char32_t c, char* out);

// Decodes the character at `pos` and advances `pos` past it.
char32_t NextUtf8(std::string_view text, std::size_t& pos);
