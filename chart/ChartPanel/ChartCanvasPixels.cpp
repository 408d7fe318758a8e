#include "chart/ChartPanel/ChartCanvas.h"
#include "chart/ChartPanel/LinePixels.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

std::shared_ptr<const TChartCanvas::TPolygonPixels> TChartCanvas::PolygonPixels(std::span<const TPoint> corners) const
{
    if (FImage == nullptr || corners.empty() || corners.size() > kShapeCorners)
        return nullptr;
    std::array<QPoint, kShapeCorners> relative;
    for (std::size_t i = 0; i < corners.size(); ++i)
        relative[i] = QPoint(corners[i].X - corners[0].X, corners[i].Y - corners[0].Y);
    const std::span<const QPoint> shapeCorners(relative.data(), corners.size());
    // Kept like the fill spans; a shape's pixels stay valid for whoever holds them.
    thread_local std::unordered_map<TShape, std::shared_ptr<const TPolygonPixels>, TShapeHash> shapes;
    const TShape shape = ShapeOf(shapeCorners);
    if (const auto found = shapes.find(shape); found != shapes.end())
        return found->second;
    constexpr std::size_t kMostShapes = 4096;
    if (shapes.size() >= kMostShapes)
        shapes.clear();
    return shapes.emplace(shape, BuildPixels(shapeCorners)).first->second;
}

std::shared_ptr<const TChartCanvas::TPolygonPixels> TChartCanvas::BuildPixels(std::span<const QPoint> corners)
{
    // Polygon's order: the fill, then the closed outline over it.
    const std::vector<TFillSpan>& fill = FillSpans(corners);
    std::vector<QPoint> outline;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const QPoint a = corners[i];
        const QPoint b = corners[(i + 1) % corners.size()];
        ForEachLinePixel(a.x(), a.y(), b.x(), b.y(), [&](int x, int y) { outline.emplace_back(x, y); });
    }
    auto pixels = std::make_shared<TPolygonPixels>();
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    for (const TFillSpan& span : fill) {
        left = std::min(left, span.Left);
        right = std::max(right, span.Right);
        top = std::min(top, span.Row);
        bottom = std::max(bottom, span.Row + 1);
    }
    for (const QPoint& p : outline) {
        left = std::min(left, p.x());
        right = std::max(right, p.x() + 1);
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y() + 1);
    }
    if (left >= right)
        return pixels;
    *pixels = {top, bottom, left, right, {}};
    const int width = right - left;
    enum : std::uint8_t { kNone, kFill, kOutline };
    std::vector<std::uint8_t> grid(static_cast<std::size_t>(width) * static_cast<std::size_t>(bottom - top), kNone);
    const auto at = [&](int x, int y) -> std::uint8_t& {
        return grid[static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x - left)];
    };
    for (const TFillSpan& span : fill)
        std::fill(&at(span.Left, span.Row), &at(span.Left, span.Row) + (span.Right - span.Left), kFill);
    for (const QPoint& p : outline)
        at(p.x(), p.y()) = kOutline;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right;) {
            const std::uint8_t kind = at(x, y);
            const int start = x;
            while (x < right && at(x, y) == kind)
                ++x;
            if (kind != kNone)
                pixels->Pieces.push_back({y, start, x, kind == kOutline});
        }
    }
    return pixels;
}
