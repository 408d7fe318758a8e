#include "chart/ChartPanel/PolygonSpanCache.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

struct TShape {
    std::array<int, 2 * kMostSpanCorners> Offsets{};
    std::size_t Corners = 0;
    friend bool operator==(const TShape&, const TShape&) = default;
};

struct TShapeHash {
    std::size_t operator()(const TShape& shape) const
    {
        std::size_t hash = shape.Corners;
        for (std::size_t i = 0; i < 2 * shape.Corners; ++i)
            hash = hash * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(shape.Offsets[i]));
        return hash;
    }
};

}  // namespace

const std::vector<TFillSpan>& PolygonFillSpans(std::span<const QPoint> corners)
{
    TShape shape;
    shape.Corners = corners.size();
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const QPoint offset = corners[i] - corners[0];
        shape.Offsets[2 * i] = offset.x();
        shape.Offsets[2 * i + 1] = offset.y();
        left = std::min(left, offset.x());
        top = std::min(top, offset.y());
        right = std::max(right, offset.x());
        bottom = std::max(bottom, offset.y());
    }
    // Kept across canvases, since every paint makes its own and the shapes recur from paint to
    // paint; bounded, as a paint has a few shapes per ribbon height and slope.
    thread_local std::unordered_map<TShape, std::vector<TFillSpan>, TShapeHash> shapes;
    if (const auto found = shapes.find(shape); found != shapes.end())
        return found->second;
    constexpr std::size_t kMostShapes = 4096;
    if (shapes.size() >= kMostShapes)
        shapes.clear();
    // The painter fills a copy of the shape with a one-pixel border round it.
    const QPoint place(1 - left, 1 - top);
    QImage coverage(right - left + 3, bottom - top + 3, QImage::Format_Grayscale8);
    coverage.fill(0);
    {
        std::array<QPoint, kMostSpanCorners> placed;
        for (std::size_t i = 0; i < corners.size(); ++i)
            placed[i] = corners[i] - corners[0] + place;
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(placed.data(), static_cast<int>(corners.size()), Qt::OddEvenFill);
    }
    std::vector<TFillSpan> spans;
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* row = coverage.constScanLine(y);
        for (int x = 0; x < coverage.width();) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < coverage.width() && row[x] != 0)
                ++x;
            spans.push_back({y - place.y(), start - place.x(), x - place.x()});
        }
    }
    return shapes.emplace(shape, std::move(spans)).first->second;
}
