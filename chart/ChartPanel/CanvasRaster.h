#pragma once
// Direct pixels for the canvas: one-pixel copy-mode strokes and solid fills on a 32-bit image
// are written straight into it, inside a clip kept alongside the painter's; the same pixels as
// the painter would set, without its per-point cost. Private to the canvas's sources; the
// pixel writes are inline, as they run once per pixel.
#include "chart/ChartPanel/ChartTypes.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <algorithm>
#include <cstdint>
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
        if (x < FLeft || x >= FRight || y < FTop || y >= FBottom)
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
        left = std::max(left, FLeft);
        right = std::min(right, FRight);
        QRgb* row = FBits + y * FStride;
        if (FMask == nullptr) {
            if (left < right)
                FillWords(row + left, right - left, colour);
            return;
        }
        const uchar* inside = FMask + y * FMaskStride;
        for (int x = left; x < right; ++x) {
            if (inside[x] != 0)
                row[x] = colour;
        }
    }

private:
    // n copies of a 32-bit word through the C library's vectorised wide-character fill
    // (a plain loop stays one word per store at this optimisation level).
    static void FillWords(QRgb* words, int n, QRgb value)
    {
        static_assert(sizeof(wchar_t) == sizeof(QRgb));
        std::wmemset(reinterpret_cast<wchar_t*>(words), static_cast<wchar_t>(value), static_cast<std::size_t>(n));
    }
    // Recomputes where pixels are written whenever the clip changes.
    void Aim();

    // The device when it is a 32-bit image; null otherwise.
    QImage* FImage = nullptr;
    // Image rows and the clip: bounds, and a polygon clip's mask or none.
    QRgb* FBits = nullptr;
    qsizetype FStride = 0;
    int FLeft = 0;
    int FTop = 0;
    int FRight = 0;
    int FBottom = 0;
    const uchar* FMask = nullptr;
    qsizetype FMaskStride = 0;

    enum class TClipKind : std::uint8_t { None, Rect, Mask };
    TClipKind FClipKind = TClipKind::None;
    QRect FClipRect;
    // Polygon clips: the painter's own coverage, one byte per pixel.
    QImage FClipMask;
    std::vector<TPoint> FClipMaskPoints;
};
