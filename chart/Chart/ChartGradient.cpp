#include "chart/Chart/ChartGradient.h"

#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/ChartPanel/ChartCanvas.h"

#include <algorithm>

void TChartGradient::Changed()
{
    if (FChart != nullptr)
        FChart->PartChanged();
}

void TChartGradient::Draw(TChartCanvas& canvas, const TRect& r) const
{
    switch (FDirection) {
    case gdTopBottom: GradientFill(canvas, r, FStartColor, FEndColor, false); break;
    case gdBottomTop: GradientFill(canvas, r, FEndColor, FStartColor, false); break;
    case gdLeftRight: GradientFill(canvas, r, FStartColor, FEndColor, true); break;
    case gdRightLeft: GradientFill(canvas, r, FEndColor, FStartColor, true); break;
    }
}

void GradientFill(TChartCanvas& canvas, const TRect& r, TColor c1, TColor c2, bool horizontal)
{
    const std::int32_t extent = horizontal ? r.Right - r.Left : r.Bottom - r.Top;
    const std::int32_t bands = std::min(extent, 256);
    if (bands < 1)
        return;
    const TColor rgb1 = ColorToRGB(c1);
    const TColor rgb2 = ColorToRGB(c2);
    const auto component = [](TColor c, int shift) { return static_cast<std::int32_t>((c >> shift) & 0xFF); };
    for (std::int32_t i = 0; i < bands; ++i) {
        TColor colour = 0;
        for (int shift : {0, 8, 16}) {
            const std::int32_t start = component(rgb1, shift);
            const std::int32_t delta = component(rgb2, shift) - start;
            const std::int32_t value = bands == 1 ? start : start + MulDiv(i, delta, bands - 1);
            colour |= static_cast<TColor>(value) << shift;
        }
        canvas.Brush = {colour, bsSolid};
        const std::int32_t nearEdge = MulDiv(i, extent, bands);
        const std::int32_t farEdge = MulDiv(i + 1, extent, bands);
        if (horizontal)
            canvas.FillRect({r.Right - farEdge, r.Top, r.Right - nearEdge, r.Bottom});
        else
            canvas.FillRect({r.Left, r.Bottom - farEdge, r.Right, r.Bottom - nearEdge});
    }
}
