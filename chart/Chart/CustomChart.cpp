#include "chart/Chart/CustomChart.h"

#include "chart/ChartEngine/ChartLegend.h"

#include <algorithm>
#include <array>

TCustomChart::TCustomChart()
{
    SetLegend(std::make_unique<TChartLegend>(this));
}

std::int32_t TCustomChart::WallSize(const TChartAxis* axis) const
{
    if (!View3D() || !View3DWalls())
        return 0;
    if (axis == LeftAxis())
        return FLeftWall.Size();
    if (axis == BottomAxis())
        return FBottomWall.Size();
    return 0;
}

void TCustomChart::PrepareWall(TChartWall& wall)
{
    TChartCanvas& canvas = Canvas();
    if (wall.Pen().Visible())
        canvas.AssignPen(wall.Pen());
    else
        canvas.Pen.Style = psClear;
    if (wall.Color() != clChartDefault || wall.Brush().Style() != bsSolid)
        canvas.SetBrushCanvas(wall.Color(), wall.Brush().Style(), wall.Brush().Color());
    else
        canvas.Brush.Style = bsClear;
}

void TCustomChart::DrawWalls()
{
    TChartCanvas& canvas = Canvas();
    const TRect& cr = ChartRect;
    const std::int32_t w = Width3D;
    const std::int32_t h = Height3D;

    PrepareWall(FLeftWall);
    canvas.Polygon(std::array<TPoint, 4>{
        {{cr.Left + w, cr.Top - h}, {cr.Left + w, cr.Bottom - h}, {cr.Left, cr.Bottom + 1}, {cr.Left, cr.Top}}});
    if (const std::int32_t t = FLeftWall.Size(); t > 0) {
        // The thick wall's front edge left of the chart rectangle, then its top side.
        canvas.Rectangle(cr.Left + 1, cr.Bottom + 1, cr.Left - t, cr.Top);
        canvas.Polygon(std::array<TPoint, 4>{
            {{cr.Left + w, cr.Top - h}, {cr.Left + w - t, cr.Top - h}, {cr.Left - t, cr.Top}, {cr.Left, cr.Top}}});
    }

    PrepareWall(FBottomWall);
    canvas.Polygon(std::array<TPoint, 4>{{{cr.Left + w, cr.Bottom - h - 1},
                                          {cr.Right + w, cr.Bottom - h - 1},
                                          {cr.Right, cr.Bottom},
                                          {cr.Left, cr.Bottom}}});
    if (const std::int32_t t = FBottomWall.Size(); t > 0) {
        // The front edge reaches under a thick left wall; then the right side.
        canvas.Rectangle(cr.Left - WallSize(LeftAxis()), cr.Bottom, cr.Right, cr.Bottom + t + 1);
        canvas.Polygon(std::array<TPoint, 4>{{{cr.Right + w, cr.Bottom - h - 1},
                                              {cr.Right + w, cr.Bottom - h - 1 + t},
                                              {cr.Right - 1, cr.Bottom + t},
                                              {cr.Right - 1, cr.Bottom}}});
    }
}

void TCustomChart::FillPanelRect(const TRect& r)
{
    if (FGradient.Visible())
        FGradient.Draw(Canvas(), r);
    else
        TCustomAxisPanel::FillPanelRect(r);
}

void TCustomChart::DrawTitles()
{
    if (FTitle.Visible())
        DrawTitle(FTitle, true);
    if (FFoot.Visible())
        DrawTitle(FFoot, false);
}

void TCustomChart::DrawTitle(TChartTitle& title, bool topSide)
{
    TChartCanvas& canvas = Canvas();
    SetCanvasFont(title.Font());
    const std::int32_t fh = FontHeight();

    canvas.Brush = {title.Brush().Color(), title.Brush().Style()};
    if (canvas.Brush.Color == clChartDefault)
        canvas.Brush.Style = bsClear;
    const bool hasFrame = title.Frame().Visible() && title.Frame().Color() != clChartDefault;
    const std::int32_t fw = hasFrame ? title.Frame().Width() : 0;
    if (hasFrame)
        canvas.AssignPen(title.Frame());

    const std::int32_t left = ChartRect.Left + fw;
    const std::int32_t right = ChartRect.Right - fw;
    // y: running text position; edge: running far edge of the block.
    std::int32_t y;
    std::int32_t edge;
    if (topSide) {
        y = ChartRect.Top + fw;
        edge = y - 5;
    } else {
        edge = ChartRect.Bottom - fw;
        y = edge + 5;
    }
    const auto& lines = title.Text();
    const auto lineCount = static_cast<std::int32_t>(lines.size());
    TRect& box = title.TitleRect;
    box = {left, y, right, edge};
    if (topSide)
        box.Bottom = y + lineCount * fh;
    else
        box.Top = edge - lineCount * fh;
    box = {box.Left - fw, box.Top - fw, box.Right + fw, box.Bottom + fw};

    if (hasFrame && title.AdjustFrame()) {
        std::int32_t widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, TextWidth(line));
        const std::int32_t m = widest + 2 * fw;
        switch (title.Alignment()) {
        case taLeftJustify: box.Right = box.Left + m; break;
        case taRightJustify: box.Left = box.Right - m; break;
        case taCenter: {
            const std::int32_t centre = (box.Left + box.Right) / 2;
            const std::int32_t half = m / 2 + 2 * fw;
            box.Left = centre - half;
            box.Right = centre + half;
            break;
        }
        }
    }
    if (hasFrame)
        canvas.Rectangle(box);
    canvas.BackMode = bmTransparent;

    const auto lineX = [&](const std::string& line) {
        switch (title.Alignment()) {
        case taLeftJustify: return left;
        case taRightJustify: return right - TextWidth(line);
        case taCenter: break;
        }
        return (left + right) / 2 - TextWidth(line) / 2;
    };
    if (topSide) {
        for (const std::string& line : lines) {
            TextOut(lineX(line), y, line);
            edge = y + fh;
            y = edge;
        }
    } else {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            y = edge - fh;
            TextOut(lineX(*it), y, *it);
            edge = y;
        }
    }
    if (hasFrame) {
        if (topSide)
            edge += 2 * fw;
        else
            y -= 2 * fw;
    }
    if (topSide)
        ChartRect.Top = edge + 5;
    else
        ChartRect.Bottom = y - 5;
    RecalcWidthHeight();
}
