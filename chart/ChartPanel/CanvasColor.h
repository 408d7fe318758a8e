#pragma once
// Chart colours (system colours resolved) in the painter's colour types.
#include "chart/ChartPanel/ChartTypes.h"

#include <QColor>
#include <QRgb>

// The colour as an opaque 32-bit pixel.
QRgb ToRgb(TColor color);
QColor ToQColor(TColor color);
