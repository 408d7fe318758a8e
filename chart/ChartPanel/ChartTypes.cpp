#include "chart/ChartPanel/ChartTypes.h"

#include <algorithm>

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
