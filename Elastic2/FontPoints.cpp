#include "Elastic2/FontPoints.h"

#include "base/MulDiv.h"

#include <QFont>

#include <cmath>

int FontPixelHeight(const QFont& font, int ppi)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    // Qt keeps fractional point sizes; the pixel height is what the window system would hold.
    const double exact = font.pointSizeF() * ppi / 72.0;
    return static_cast<int>(std::lround(exact));
}

int PointsOfHeight(int pixelHeight, int ppi)
{
    return MulDiv(pixelHeight, 72, ppi);
}

int HeightOfPoints(int points, int ppi)
{
    return MulDiv(points, ppi, 72);
}
