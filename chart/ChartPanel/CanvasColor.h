#pragma once
// Chart colours (system colours resolved) in the painter's colour types.
#include "chart/ChartPanel/ChartTypes.h"

#include <QColor>
#include <QRgb>

// The colour as an opaque 32-bit pixel; inline, as the canvas asks for it at every fill.
inline QRgb ToRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QColor ToQColor(TColor color);
