#pragma once
// A polygon's fill as the painter rasterises it, as row spans relative to its first corner:
// the same wherever the same shape is placed, so each shape is rasterised once per thread.
#include <QPoint>
#include <cstddef>
#include <span>
#include <vector>

struct TFillSpan {
    int Row = 0;
    int Left = 0;
    int Right = 0;  // excluded
};

// Shapes with at most this many corners are kept.
constexpr std::size_t kMostSpanCorners = 8;

// The spans of the polygon through the corners (alternate filling, at most kMostSpanCorners).
const std::vector<TFillSpan>& PolygonFillSpans(std::span<const QPoint> corners);
