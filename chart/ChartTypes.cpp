#include "chart/ChartTypes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000u) != clSystemColor)
        return color;
    switch (color & 0xFFu) {
    case 8: return 0x000000;   // window text
    case 15: return 0xF0F0F0;  // button face
    case 16: return 0xA0A0A0;  // button shadow
    case 20: return 0xFFFFFF;  // button highlight
    default: return 0x000000;
    }
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t num = static_cast<std::uint64_t>(std::llabs(product));
    const std::uint64_t den = static_cast<std::uint64_t>(std::llabs(std::int64_t{c}));
    std::uint64_t q = num / den;
    if ((num % den) * 2 >= den)
        ++q;
    if (q > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return -1;
    const auto result = static_cast<std::int32_t>(q);
    return negative ? -result : result;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b)
{
    result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
    if (result.Left >= result.Right || result.Top >= result.Bottom) {
        result = {};
        return false;
    }
    return true;
}
