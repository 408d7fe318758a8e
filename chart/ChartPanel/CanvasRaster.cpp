#include "chart/ChartPanel/CanvasRaster.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

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
    Aim();
}

void TCanvasRaster::UnClip()
{
    FClipKind = TClipKind::None;
    Aim();
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
    if (FClipKind == TClipKind::Mask) {
        FMask = FClipMask.constBits();
        FMaskStride = FClipMask.bytesPerLine();
    }
    FLeft = bounds.left();
    FTop = bounds.top();
    FRight = bounds.left() + bounds.width();
    FBottom = bounds.top() + bounds.height();
}
