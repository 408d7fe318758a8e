#include "chart/ChartPanel/CanvasRaster.h"

#include "chart/ChartPanel/LinePixelCache.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

TCanvasRaster::TCanvasRaster(QPaintDevice* device)
{
    if (device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        if (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied)
            FImage = image;
    }
    Aim();
}

void TCanvasRaster::ClipRect(const QRect& r)
{
    FClipKind = TClipKind::Rect;
    FClipRect = r;
    Aim();
}

void TCanvasRaster::ClipPath(std::span<const TPoint> points, const QPainterPath& path)
{
    if (FImage == nullptr)
        return;
    FClipKind = TClipKind::Mask;
    // Every series of a paint clips to the same outline: its mask is made once.
    if (FClipMask.size() == FImage->size() &&
        std::equal(points.begin(), points.end(), FClipMaskPoints.begin(), FClipMaskPoints.end())) {
        Aim();
        return;
    }
    FClipMaskPoints.assign(points.begin(), points.end());
    // The painter's own clip coverage, so that direct pixels obey it exactly.
    FClipMask = QImage(FImage->size(), QImage::Format_Grayscale8);
    FClipMask.fill(0);
    QPainter mask(&FClipMask);
    mask.setRenderHint(QPainter::Antialiasing, false);
    mask.setClipPath(path);
    mask.fillRect(FClipMask.rect(), Qt::white);
    mask.end();
    FClipMaskRows = MaskStretches(FClipMask);
    Aim();
}

void TCanvasRaster::UnClip()
{
    FClipKind = TClipKind::None;
    Aim();
}

std::vector<TCanvasRaster::TRowBounds> TCanvasRaster::MaskStretches(const QImage& mask)
{
    std::vector<TRowBounds> rows(static_cast<std::size_t>(mask.height()));
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* row = mask.constScanLine(y);
        const uchar* end = row + mask.width();
        const uchar* left = std::find_if(row, end, [](uchar m) { return m != 0; });
        const uchar* right = std::find(left, end, uchar{0});
        if (std::find_if(right, end, [](uchar m) { return m != 0; }) != end)
            return {};
        rows[static_cast<std::size_t>(y)] = {static_cast<int>(left - row), static_cast<int>(right - row)};
    }
    return rows;
}

void TCanvasRaster::Segment(QPoint a, QPoint b, bool holds, QRgb colour) const
{
    if (a.y() == b.y()) {
        const int left = a.x() < b.x() ? a.x() : b.x() + 1;
        const int right = a.x() < b.x() ? b.x() : a.x() + 1;
        if (holds)
            FillRow(FBits + a.y() * FStride, left, right, colour);
        else
            SetRow(a.y(), left, right, colour);
        return;
    }
    if (a.x() == b.x()) {
        const int top = a.y() < b.y() ? a.y() : b.y() + 1;
        const int bottom = a.y() < b.y() ? b.y() : a.y() + 1;
        if (holds) {
            SetColumn(a.x(), top, bottom, colour);
            return;
        }
        for (int y = top; y < bottom; ++y)
            Set(a.x(), y, colour);
        return;
    }
    SetPixels(a, LinePixelOffsets(b.x() - a.x(), b.y() - a.y()), holds, colour);
}

void TCanvasRaster::Aim()
{
    if (FImage == nullptr)
        return;
    FMask = nullptr;
    // constBits: the image is being painted on and must not detach.
    FBits = reinterpret_cast<QRgb*>(const_cast<uchar*>(FImage->constBits()));
    FStride = FImage->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    QRect bounds = FImage->rect();
    if (FClipKind == TClipKind::Rect)
        bounds &= FClipRect;
    FTop = bounds.top();
    FBottom = bounds.top() + bounds.height();
    FRowBoundsStore.assign(static_cast<std::size_t>(FImage->height()), {bounds.left(), bounds.left() + bounds.width()});
    if (FClipKind == TClipKind::Mask && !FClipMaskRows.empty()) {
        FRowBoundsStore = FClipMaskRows;
    } else if (FClipKind == TClipKind::Mask) {
        FMask = FClipMask.constBits();
        FMaskStride = FClipMask.bytesPerLine();
    }
    FRowBounds = FRowBoundsStore.data();
}
