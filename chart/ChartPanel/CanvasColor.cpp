#include "chart/ChartPanel/CanvasColor.h"

QRgb ToRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QColor ToQColor(TColor color)
{
    return QColor(ToRgb(color));
}
