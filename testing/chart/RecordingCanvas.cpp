#include "testing/chart/RecordingCanvas.h"

#include <QImage>

namespace {

std::vector<int> PointArgs(std::span<const TPoint> points)
{
    std::vector<int> args;
    for (const TPoint& p : points) {
        args.push_back(p.X);
        args.push_back(p.Y);
    }
    return args;
}

}  // namespace

void TRecordingCanvas::Record(std::string op, std::vector<int> args, std::string text)
{
    FCalls.push_back({std::move(op), std::move(args), std::move(text), Pen, Brush, Font.Color()});
}

void TRecordingCanvas::TextOut(int x, int y, const std::string& text)
{
    Record("TextOut", {x, y}, text);
    TChartCanvas::TextOut(x, y, text);
}

void TRecordingCanvas::RotateLabel(int x, int y, const std::string& text, double angle)
{
    Record("RotateLabel", {x, y, static_cast<int>(angle)}, text);
    TChartCanvas::RotateLabel(x, y, text, angle);
}

void TRecordingCanvas::Rectangle(const TRect& r)
{
    Record("Rectangle", {r.Left, r.Top, r.Right, r.Bottom});
    TChartCanvas::Rectangle(r);
}

void TRecordingCanvas::FillRect(const TRect& r)
{
    Record("FillRect", {r.Left, r.Top, r.Right, r.Bottom});
    TChartCanvas::FillRect(r);
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points)
{
    Record("Polygon", PointArgs(points));
    TChartCanvas::Polygon(points);
}

void TRecordingCanvas::Line(int x0, int y0, int x1, int y1)
{
    Record("Line", {x0, y0, x1, y1});
    TChartCanvas::Line(x0, y0, x1, y1);
}

void TRecordingCanvas::ClipRectangle(const TRect& r)
{
    Record("ClipRectangle", {r.Left, r.Top, r.Right, r.Bottom});
    TChartCanvas::ClipRectangle(r);
}

void TRecordingCanvas::ClipPolygon(std::span<const TPoint> points)
{
    Record("ClipPolygon", PointArgs(points));
    TChartCanvas::ClipPolygon(points);
}

void TRecordingCanvas::UnClip()
{
    Record("UnClip", {});
    TChartCanvas::UnClip();
}

void TRecordingCanvas::Draw(int x, int y, const QImage& image)
{
    Record("Draw", {x, y, image.width(), image.height()});
    TChartCanvas::Draw(x, y, image);
}

std::vector<TDrawCall> CallsOf(const std::vector<TDrawCall>& calls, const std::string& op)
{
    std::vector<TDrawCall> result;
    for (const TDrawCall& c : calls) {
        if (c.Op == op)
            result.push_back(c);
    }
    return result;
}
