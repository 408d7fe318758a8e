#include "chart/Series/SeriesPointer.h"

#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartPanel/ChartCanvas.h"

#include <array>

TSeriesPointer::TSeriesPointer(std::function<void()> onChange) : FOnChange(std::move(onChange))
{
    FPen.OnChange = FOnChange;
    FBrush.OnChange = FOnChange;
}

void TSeriesPointer::SetHorizSize(std::int32_t value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    SetAndRepaint(FHorizSize, value, FOnChange);
}

void TSeriesPointer::SetVertSize(std::int32_t value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    SetAndRepaint(FVertSize, value, FOnChange);
}

void TSeriesPointer::Draw(TChartCanvas& canvas, std::int32_t x, std::int32_t y, TColor pointColor)
{
    if (FPen.Visible())
        canvas.AssignPen(FPen);
    else
        canvas.Pen.Style = psClear;
    canvas.Brush = {FBrush.Color() == clChartDefault ? pointColor : FBrush.Color(), FBrush.Style()};
    const std::int32_t h = FHorizSize;
    const std::int32_t v = FVertSize;
    const std::int32_t l = x - h;
    const std::int32_t r = x + h;
    const std::int32_t t = y - v;
    const std::int32_t b = y + v;
    switch (FStyle) {
    case psRectangle: canvas.Rectangle(l, t, r + 1, b + 1); break;
    case psCircle: {
        // An octagon is as round as the drawing surface gets at marker sizes.
        const std::int32_t dh = h / 2;
        const std::int32_t dv = v / 2;
        const std::array<TPoint, 8> p = {
            {{l, y - dv}, {x - dh, t}, {x + dh, t}, {r, y - dv}, {r, y + dv}, {x + dh, b}, {x - dh, b}, {l, y + dv}}};
        canvas.Polygon(p);
        break;
    }
    case psTriangle: canvas.Polygon(std::array<TPoint, 3>{{{l, b}, {r, b}, {x, t}}}); break;
    case psDownTriangle: canvas.Polygon(std::array<TPoint, 3>{{{l, t}, {r, t}, {x, b}}}); break;
    case psDiamond: canvas.Polygon(std::array<TPoint, 4>{{{l, y}, {x, t}, {r, y}, {x, b}}}); break;
    case psStar:
    case psCross:
    case psDiagCross:
        // Line markers take the point colour when their pen has none of its own.
        if (canvas.Pen.Color == clChartDefault)
            canvas.Pen.Color = pointColor;
        if (FStyle != psDiagCross) {
            canvas.Line(l, y, r + 1, y);
            canvas.Line(x, t, x, b + 1);
        }
        if (FStyle != psCross) {
            canvas.Line(l, t, r + 1, b + 1);
            canvas.Line(l, b, r + 1, t - 1);
        }
        break;
    }
}
