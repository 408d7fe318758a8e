#include "chart/ChartPanel/CanvasColor.h"

QColor ToQColor(TColor color)
{
    const QRgb rgb = ToRgb(color);
    return QColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
