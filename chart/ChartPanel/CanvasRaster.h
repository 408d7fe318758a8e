#pragma once
// Direct pixels for the canvas: one-pixel copy-mode strokes and solid fills on a 32-bit image
// are written straight into it, inside a clip kept alongside the painter's; the same pixels as
// the painter would set, without its per-point cost. Private to the canvas's sources; the
// pixel writes are inline, as they run once per pixel.
#include "chart/ChartPanel/ChartTypes.h"
#include "chart/ChartPanel/PolygonSpanCache.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <span>
#include <vector>

class QPaintDevice;
class QPainterPath;

class TCanvasRaster {
public:
    // Direct when the device is an RGB32 or premultiplied ARGB32 image.
    explicit TCanvasRaster(QPaintDevice* device);

    bool Direct() const { return FImage != nullptr; }

    // The clip the painter was given, by rectangle or by path through the points.
    void ClipRect(const QRect& r);
    void ClipPath(std::span<const TPoint> points, const QPainterPath& path);
    void UnClip();

    void Set(int x, int y, QRgb colour) const
    {
        if (y < FTop || y >= FBottom)
            return;
        const TRowBounds& bounds = FRowBounds[y];
        if (x < bounds.Left || x >= bounds.Right)
            return;
        if (FMask != nullptr && FMask[y * FMaskStride + x] == 0)
            return;
        FBits[y * FStride + x] = colour;
    }

    // Pixels left..right-1 of row y.
    void SetRow(int y, int left, int right, QRgb colour) const
    {
        if (y < FTop || y >= FBottom)
            return;
        const TRowBounds& bounds = FRowBounds[y];
        left = std::max(left, bounds.Left);
        right = std::min(right, bounds.Right);
        QRgb* row = FBits + y * FStride;
        if (FMask == nullptr) {
            FillRow(row, left, right, colour);
            return;
        }
        const uchar* inside = FMask + y * FMaskStride;
        for (int x = left; x < right; ++x) {
            if (inside[x] != 0)
                row[x] = colour;
        }
    }

    // Whether every pixel of the box (edges included) may be written: inside the clip, unmasked.
    bool Holds(const QRect& box) const
    {
        if (FMask != nullptr || box.top() < FTop || box.bottom() >= FBottom)
            return false;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            if (FRowBounds[y].Left > box.left() || FRowBounds[y].Right <= box.right())
                return false;
        }
        return true;
    }

    // The spans' pixels, placed at origin; holds: Holds is true for all of them.
    void SetSpans(QPoint origin, std::span<const TFillSpan> spans, bool holds, QRgb colour) const
    {
        for (const TFillSpan& span : spans) {
            const int y = origin.y() + span.Row;
            if (holds)
                FillRow(FBits + y * FStride, origin.x() + span.Left, origin.x() + span.Right, colour);
            else
                SetRow(y, origin.x() + span.Left, origin.x() + span.Right, colour);
        }
    }

    // The pixels at origin + offsets; holds: Holds is true for all of them.
    void SetPixels(QPoint origin, std::span<const QPoint> offsets, bool holds, QRgb colour) const
    {
        if (holds) {
            QRgb* start = FBits + origin.y() * FStride + origin.x();
            for (const QPoint& p : offsets)
                start[p.y() * FStride + p.x()] = colour;
            return;
        }
        for (const QPoint& p : offsets)
            Set(origin.x() + p.x(), origin.y() + p.y(), colour);
    }

    // Pixel offsets as offsets in words from the pixel they are taken from.
    std::vector<qsizetype> WordOffsets(std::span<const QPoint> offsets) const
    {
        std::vector<qsizetype> words;
        words.reserve(offsets.size());
        for (const QPoint& p : offsets)
            words.push_back(p.y() * FStride + p.x());
        return words;
    }
    // The pixels at origin + words, all of them inside Holds.
    void SetWords(QPoint origin, std::span<const qsizetype> words, QRgb colour) const
    {
        QRgb* start = FBits + origin.y() * FStride + origin.x();
        for (const qsizetype word : words)
            start[word] = colour;
    }
    // Pixels top..bottom-1 of column x, all of them inside Holds.
    void SetColumn(int x, int top, int bottom, QRgb colour) const
    {
        QRgb* pixel = FBits + top * FStride + x;
        for (int y = top; y < bottom; ++y, pixel += FStride)
            *pixel = colour;
    }

    // A one-pixel line's pixels from a up to, not including, b (see ForEachLinePixel).
    void Segment(QPoint a, QPoint b, bool holds, QRgb colour) const;

private:
    // Rows up to this long are filled word by word; the library call pays off beyond.
    static constexpr int kShortRow = 16;
    static constexpr int kQuad = 4;
    // Where a row may be written: the clip's columns on that row.
    struct TRowBounds {
        int Left = 0;
        int Right = 0;  // excluded
    };
    static void FillRow(QRgb* row, int left, int right, QRgb colour)
    {
        const int n = right - left;
        if (n > kShortRow) {
            FillWords(row + left, n, colour);
            return;
        }
        if (n < kQuad) {
            for (int x = left; x < right; ++x)
                row[x] = colour;
            return;
        }
        // Four words per store, the last store overlapping the one before.
        const std::array<QRgb, kQuad> quad = {colour, colour, colour, colour};
        for (int x = left; x < right - kQuad; x += kQuad)
            std::memcpy(row + x, quad.data(), sizeof(quad));
        std::memcpy(row + right - kQuad, quad.data(), sizeof(quad));
    }
    // n copies of a 32-bit word through the C library's vectorised wide-character fill
    // (a plain loop stays one word per store at this optimisation level).
    static void FillWords(QRgb* words, int n, QRgb value)
    {
        static_assert(sizeof(wchar_t) == sizeof(QRgb));
        std::wmemset(reinterpret_cast<wchar_t*>(words), static_cast<wchar_t>(value), static_cast<std::size_t>(n));
    }
    // Each row's one stretch of mask pixels; none when a row has more.
    static std::vector<TRowBounds> MaskStretches(const QImage& mask);
    // Recomputes where pixels are written whenever the clip changes.
    void Aim();

    // The device when it is a 32-bit image; null otherwise.
    QImage* FImage = nullptr;
    // Image rows and the clip: bounds, and a polygon clip's mask or none.
    QRgb* FBits = nullptr;
    qsizetype FStride = 0;
    int FTop = 0;
    int FBottom = 0;
    // Per row of the image; a polygon clip's rows each hold one stretch of pixels mostly,
    // and then need no mask.
    std::vector<TRowBounds> FRowBoundsStore;
    const TRowBounds* FRowBounds = nullptr;
    const uchar* FMask = nullptr;
    qsizetype FMaskStride = 0;

    enum class TClipKind : std::uint8_t { None, Rect, Mask };
    TClipKind FClipKind = TClipKind::None;
    QRect FClipRect;
    // Polygon clips: the painter's own coverage, one byte per pixel.
    QImage FClipMask;
    std::vector<TPoint> FClipMaskPoints;
    // The mask's stretch on each row, when every row has at most one.
    std::vector<TRowBounds> FClipMaskRows;
};
