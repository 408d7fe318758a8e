// Mouse handling of the chart control: what a press hit, the click notifications, and the
// zoom (left button) and scroll (right button) drags.
#include "chart/Chart/CustomChart.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomChartLegend.h"

#include <cstdlib>

namespace {

// The window system's convention: right and bottom edges lie outside.
bool PtInRect(const TRect& r, std::int32_t x, std::int32_t y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// A drag must exceed this many pixels both ways to zoom or undo.
constexpr std::int32_t kMinZoomDrag = 16;

}  // namespace

bool TCustomChart::InChartBox(std::int32_t x, std::int32_t y) const
{
    // Width3D and Height3D are 0 in the flat view.
    return PtInRect({ChartRect.Left, ChartRect.Top - Height3D, ChartRect.Right + Width3D, ChartRect.Bottom}, x, y);
}

TCustomChart::TClicked TCustomChart::Clicked(std::int32_t x, std::int32_t y)
{
    TClicked hit;
    if (Legend()->Visible() && Legend()->Clicked(x, y)) {
        hit.Part = TClickedPart::Legend;
        return hit;
    }
    for (std::int32_t i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = Series(i);
        if (!s->Active())
            continue;
        if (const std::int32_t index = s->Clicked(x, y); index >= 0) {
            hit.Part = TClickedPart::Series;
            hit.Series = s;
            hit.ValueIndex = index;
            return hit;
        }
    }
    for (TChartAxis* axis : {TopAxis(), BottomAxis(), LeftAxis(), RightAxis()}) {
        if (axis->AxisClicked(x, y)) {
            hit.Part = TClickedPart::Axis;
            hit.Axis = axis;
            return hit;
        }
    }
    if ((Title().Visible() && PtInRect(Title().TitleRect, x, y)) ||
        (Foot().Visible() && PtInRect(Foot().TitleRect, x, y)))
        hit.Part = TClickedPart::Title;
    else if (InChartBox(x, y) && CountActiveSeries() > 0)
        hit.Part = TClickedPart::Background;
    return hit;
}

bool TCustomChart::Claims(const std::function<void()>& handler)
{
    CancelMouse = true;
    handler();
    return CancelMouse;
}

bool TCustomChart::Counts(TMouseButton button, TShiftState shift, TMouseButton wanted, TShiftState keys)
{
    return button == wanted && (shift & keys) == keys;
}

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)
{
    TCustomAxisPanel::MouseDown(button, shift, x, y);
    if (Zoom.Active || Panning.Active)
        return;
    if (CancelMouse) {
        CancelMouse = false;
        return;
    }
    const TClicked hit = Clicked(x, y);
    bool claimed = false;
    bool backgroundNotified = false;
    switch (hit.Part) {
    case TClickedPart::Legend:
        if (OnClickLegend)
            claimed = Claims([&] { OnClickLegend(*this, button, shift, x, y); });
        break;
    case TClickedPart::Series: {
        TChartSeries& s = *hit.Series;
        const auto& own = (shift & ssDouble) != 0 ? s.OnDblClick : s.OnClick;
        if (own)
            claimed = Claims([&] { own(s, hit.ValueIndex, button, shift, x, y); });
        if (OnClickSeries)
            claimed = Claims([&] { OnClickSeries(*this, s, hit.ValueIndex, button, shift, x, y); }) || claimed;
        break;
    }
    case TClickedPart::Axis:
        if (OnClickAxis)
            claimed = Claims([&] { OnClickAxis(*this, *hit.Axis, button, shift, x, y); });
        break;
    case TClickedPart::Background:
        if (OnClickBackground) {
            claimed = Claims([&] { OnClickBackground(*this, button, shift, x, y); });
            backgroundNotified = true;
        }
        break;
    case TClickedPart::Title:
    case TClickedPart::None: break;
    }
    const bool canDrag =
        hit.Part == TClickedPart::Series || hit.Part == TClickedPart::Axis || hit.Part == TClickedPart::Background;
    const bool dragging = !claimed && canDrag && StartDrag(button, shift, x, y);
    // A press nobody took is a click on the background, told once.
    if (!claimed && !dragging && !backgroundNotified && OnClickBackground)
        OnClickBackground(*this, button, shift, x, y);
    CancelMouse = false;
}

bool TCustomChart::StartDrag(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)
{
    bool started = false;
    if (AllowZoom && Counts(button, shift, kZoomButton, kZoomShift)) {
        ShowPassingCursor(crDefault);
        Zoom.Activate(x, y);
        DrawOnWindow([this] { DrawZoomRectangle(); });
        started = true;
    }
    if (AllowPanning != pmNone && Counts(button, shift, kScrollButton, kScrollShift)) {
        ShowPassingCursor(crDefault);
        Panning.Activate(x, y);
        started = true;
    }
    return started;
}

void TCustomChart::DrawZoomRectangle()
{
    TChartCanvas& canvas = Canvas();
    canvas.Pen = {Color() == clWhite ? clRed : Color(), 1, psSolid, pmNotXor};
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(Zoom.X0, Zoom.Y0, Zoom.X1, Zoom.Y1);
}

void TCustomChart::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y)
{
    TCustomAxisPanel::MouseMove(shift, x, y);
    if (Zoom.Active) {
        if (x != Zoom.X1 || y != Zoom.Y1) {
            DrawOnWindow([this] { DrawZoomRectangle(); });
            Zoom.X1 = x;
            Zoom.Y1 = y;
            DrawOnWindow([this] { DrawZoomRectangle(); });
        }
        return;
    }
    if (Panning.Active) {
        ScrollDrag(x, y);
        return;
    }
    for (std::int32_t i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = Series(i);
        if (s->Active() && s->Cursor != crDefault && s->Clicked(x, y) >= 0) {
            ShowPassingCursor(s->Cursor);
            return;
        }
    }
    RestoreCursor();
}

void TCustomChart::ScrollDrag(std::int32_t x, std::int32_t y)
{
    if (!InChartBox(x, y)) {
        Panning.Active = false;
        return;
    }
    if (x == Panning.X1 && y == Panning.Y1)
        return;
    if (!ScalesSaved)
        SaveScales();
    // Each step runs from the previous mouse point, so the data follows the pointer exactly
    // whichever way it goes.
    bool scrolled = false;
    if (x != Panning.X1 && (AllowPanning == pmHorizontal || AllowPanning == pmBoth)) {
        scrolled |= ScrollAxis(*BottomAxis(), Panning.X1, x);
        scrolled |= ScrollAxis(*TopAxis(), Panning.X1, x);
    }
    if (y != Panning.Y1 && (AllowPanning == pmVertical || AllowPanning == pmBoth)) {
        scrolled |= ScrollAxis(*LeftAxis(), Panning.Y1, y);
        scrolled |= ScrollAxis(*RightAxis(), Panning.Y1, y);
    }
    Panning.X1 = x;
    Panning.Y1 = y;
    if (scrolled) {
        if (OnScroll)
            OnScroll(*this);
        Invalidate();
    }
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)
{
    TCustomAxisPanel::MouseUp(button, shift, x, y);
    if (Zoom.Active && button == mbLeft)
        EndZoomDrag(x, y);
    Panning.Active = false;
}

void TCustomChart::EndZoomDrag(std::int32_t x, std::int32_t y)
{
    Zoom.Active = false;
    DrawOnWindow([this] {
        DrawZoomRectangle();
        Canvas().Pen.Mode = pmCopy;
    });
    Zoom.X1 = x;
    Zoom.Y1 = y;
    if (std::abs(Zoom.X1 - Zoom.X0) > kMinZoomDrag && std::abs(Zoom.Y1 - Zoom.Y0) > kMinZoomDrag) {
        if (Zoom.X1 > Zoom.X0 && Zoom.Y1 > Zoom.Y0)
            ZoomRect({Zoom.X0, Zoom.Y0, Zoom.X1, Zoom.Y1});
        else
            UndoZoom();
        Invalidate();
    }
}
