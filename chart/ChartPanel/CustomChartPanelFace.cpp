// The panel's face: fill, outer bevel, border and inner bevel.
#include "chart/ChartPanel/ChartCanvas.h"
#include "chart/ChartPanel/CustomChartPanel.h"

void TCustomChartPanel::FillPanelRect(const TRect& r)
{
    TChartCanvas& canvas = Canvas();
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(r);
}

namespace {

// One bevel: `width` rings, top and left edges in `topLeft`, bottom and right in `bottomRight`.
void Frame3D(TChartCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, std::int32_t width)
{
    for (std::int32_t i = 0; i < width; ++i) {
        canvas.Pen.Color = topLeft;
        canvas.HorizLine(r.Left, r.Right - 1, r.Top);
        canvas.VertLine(r.Left, r.Top, r.Bottom - 1);
        canvas.Pen.Color = bottomRight;
        canvas.HorizLine(r.Left, r.Right, r.Bottom - 1);
        canvas.VertLine(r.Right - 1, r.Top, r.Bottom - 1);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void Bevel(TChartCanvas& canvas, TRect& r, TPanelBevel bevel, std::int32_t width)
{
    if (bevel == bvLowered)
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, width);
    else if (bevel == bvRaised)
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, width);
}

}  // namespace

void TCustomChartPanel::DrawPanel(const TRect& r)
{
    FillPanelRect(r);
    TChartCanvas& canvas = Canvas();
    canvas.Pen = {canvas.Pen.Color, 1, psSolid, pmCopy};
    canvas.Brush.Style = bsClear;
    TRect work = r;
    Bevel(canvas, work, BevelOuter(), BevelWidth());
    Frame3D(canvas, work, Color(), Color(), BorderWidth());
    Bevel(canvas, work, BevelInner(), BevelWidth());
}
