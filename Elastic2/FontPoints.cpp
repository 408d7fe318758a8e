#include "Elastic2/FontPoints.h"

#include "app/MulDiv.h"

#include <QFont>

int FontPixelHeight(const QFont& Font, int Ppi)
{
    if (Font.pixelSize() > 0)
        return Font.pixelSize();
    // Qt keeps fractional point sizes; the pixel height is what the window system would hold.
    const double Exact = Font.pointSizeF() * Ppi / 72.0;
    return static_cast<int>(Exact + 0.5);
}

int PointsOfHeight(int PixelHeight, int Ppi)
{
    return MulDiv(PixelHeight, 72, Ppi);
}

int HeightOfPoints(int Points, int Ppi)
{
    return MulDiv(Points, Ppi, 72);
}
