#pragma once
// The pixels of a one-pixel line, as the drawing surface sets them: from the start pixel up
// to, not including, the end pixel (Bresenham).
#include <cstdlib>

template <typename TPlot>
void ForEachLinePixel(int x0, int y0, int x1, int y1, TPlot plot)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}
