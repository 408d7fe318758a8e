#include "FontPoints.h"

#include <QFont>
#include <cstdint>
#include <cstdlib>

namespace {

// a * b / c without overflow, rounded to nearest with halves away from zero.
int MulDiv(int a, int b, int c)
{
    const std::int64_t Product = static_cast<std::int64_t>(a) * b;
    std::int64_t Quotient = Product / c;
    const std::int64_t Remainder = Product % c;
    if (2 * std::llabs(Remainder) >= std::llabs(static_cast<std::int64_t>(c)))
        Quotient += ((Product < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(Quotient);
}

} // namespace

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
