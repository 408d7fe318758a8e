#include "chart/ChartPanel/ChartCanvas.h"

#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/LinePixels.h"

#include <QImage>
#include <QPainterPath>
#include <QPolygon>
#include <QVector>
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace {

QRgb ToRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

// Text advances already measured, per font (its key and resolution): shaping a text costs
// far more than looking it up, and a chart measures the same labels at every paint.
std::unordered_map<std::string, int>& AdvancesFor(const QFont& font, const QFontMetrics& metrics)
{
    thread_local std::unordered_map<QString, std::unordered_map<std::string, int>> advances;
    const QString key = font.key() + QLatin1Char('@') + QString::number(metrics.fontDpi());
    return advances[key];
}

}  // namespace

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

namespace {

QRect NormalRect(const TRect& r)
{
    const int left = std::min(r.Left, r.Right);
    const int top = std::min(r.Top, r.Bottom);
    return QRect(left, top, std::abs(r.Right - r.Left), std::abs(r.Bottom - r.Top));
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// The window system's cosmetic dash patterns, in pixels on / off.
QList<qreal> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPolygon ToQPolygon(std::span<const TPoint> points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points)
        polygon.append(QPoint(p.X, p.Y));
    return polygon;
}

}  // namespace

TChartCanvas::TChartCanvas(QPaintDevice* device) : FPainter(device)
{
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, true);
    if (device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        if (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied)
            FImage = image;
    }
    UpdatePixelTarget();
}

TChartCanvas::~TChartCanvas() = default;

void TChartCanvas::AssignPen(const TChartPen& pen)
{
    Pen = {pen.Color(), pen.Width(), pen.Style(), pen.Mode()};
}

void TChartCanvas::ApplyPen()
{
    if (FAppliedPen == Pen)
        return;
    FAppliedPen = Pen;
    FPainter.setCompositionMode(Pen.Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                     : QPainter::CompositionMode_SourceOver);
    if (Pen.Style == psClear) {
        FPainter.setPen(Qt::NoPen);
        return;
    }
    // Width 0 and 1 are the one-pixel cosmetic pen; a flat cap leaves out the end pixel.
    QPen pen(ToQColor(Pen.Color));
    // One-pixel pens are rasterised by Stroke; this pen serves the wide ones.
    pen.setWidth(std::max(Pen.Width, 1));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (Pen.Style != psSolid)
        pen.setDashPattern(DashPattern(Pen.Style));
    FPainter.setPen(pen);
}

void TChartCanvas::ApplyBrush()
{
    if (FAppliedBrush == Brush)
        return;
    FAppliedBrush = Brush;
    FPainter.setBrush(QBrush(ToQColor(Brush.Color), QtBrushStyle(Brush.Style)));
}

void TChartCanvas::ApplyBackground()
{
    const std::pair<TColor, TBackgroundMode> background = {BackColor, BackMode};
    if (FAppliedBackground == background)
        return;
    FAppliedBackground = background;
    FPainter.setBackground(QBrush(ToQColor(BackColor)));
    FPainter.setBackgroundMode(BackMode == bmOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
}

const QFont& TChartCanvas::CurrentFont()
{
    if (FFontFor && FFontFor->SameAs(Font))
        return FFont;
    FFontFor.emplace();
    FFontFor->Assign(Font);
    FFont = QFont(ToQString(Font.Name()));
    const std::int32_t height = Font.Height();
    if (height < 0) {
        FFont.setPixelSize(-height);
    } else if (height > 0) {
        // A positive height is the cell height: scale the em so ascent + descent match it.
        FFont.setPixelSize(height);
        const int cell = QFontMetrics(FFont).height();
        if (cell > 0)
            FFont.setPixelSize(std::max(1, height * height / cell));
    }
    const TFontStyles style = Font.Style();
    FFont.setBold((style & fsBold) != 0);
    FFont.setItalic((style & fsItalic) != 0);
    FFont.setUnderline((style & fsUnderline) != 0);
    FFont.setStrikeOut((style & fsStrikeOut) != 0);
    FMetrics = std::make_unique<QFontMetrics>(FFont);
    FAdvances = &AdvancesFor(FFont, *FMetrics);
    return FFont;
}

QFontMetrics& TChartCanvas::CurrentMetrics()
{
    CurrentFont();
    return *FMetrics;
}

void TChartCanvas::SetCanvasFont(TChartFont& font)
{
    font.PixelsPerInch = Font.PixelsPerInch;
    Font.Assign(font);
}

int TChartCanvas::TextWidth(const std::string& text)
{
    CurrentFont();
    const auto known = FAdvances->find(text);
    if (known != FAdvances->end())
        return known->second;
    // Bounded: labels of a chart that keeps rescaling would otherwise pile up.
    if (FAdvances->size() >= kMaxAdvances)
        FAdvances->clear();
    const int width = FMetrics->horizontalAdvance(ToQString(text));
    FAdvances->emplace(text, width);
    return width;
}

int TChartCanvas::TextHeight(const std::string&)
{
    return CurrentMetrics().height();
}

QPoint TChartCanvas::TextOrigin(int x, int y, int width, const QFontMetrics& metrics) const
{
    // Returns the top-left corner of the text box for the current alignment.
    if ((TextAlign & TA_CENTER) == TA_CENTER)
        x -= width / 2;
    else if ((TextAlign & TA_RIGHT) == TA_RIGHT)
        x -= width;
    if ((TextAlign & TA_BOTTOM) == TA_BOTTOM)
        y -= metrics.height();
    return {x, y};
}

void TChartCanvas::TextOut(int x, int y, const std::string& text)
{
    const int width = TextWidth(text);
    FPainter.setFont(FFont);
    const QFontMetrics& metrics = *FMetrics;
    const QPoint origin = TextOrigin(x, y, width, metrics);
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A clear brush writes the text alone, whatever the background mode says.
    if (BackMode == bmOpaque && Brush.Style != bsClear)
        FPainter.fillRect(QRect(origin.x(), origin.y(), width, metrics.height()), ToQColor(BackColor));
    FPainter.setPen(ToQColor(Font.Color()));
    FAppliedPen.reset();
    // The box is painted above or not at all; the painter's own would fill it again.
    FPainter.setBackgroundMode(Qt::TransparentMode);
    FAppliedBackground.reset();
    FPainter.drawText(QPoint(origin.x(), origin.y() + metrics.ascent()), ToQString(text));
}

void TChartCanvas::RotateLabel(int x, int y, const std::string& text, double angle)
{
    const QString qtext = ToQString(text);
    FPainter.setFont(CurrentFont());
    const QFontMetrics& metrics = *FMetrics;
    const QPoint origin = TextOrigin(0, 0, metrics.horizontalAdvance(qtext), metrics);
    FPainter.save();
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.translate(x, y);
    FPainter.rotate(-angle);
    FPainter.setBackgroundMode(Qt::TransparentMode);
    FPainter.setPen(ToQColor(Font.Color()));
    FPainter.drawText(QPoint(origin.x(), origin.y() + metrics.ascent()), qtext);
    FPainter.restore();
    FAppliedPen.reset();
    FAppliedBrush.reset();
}

void TChartCanvas::Rectangle(const TRect& r)
{
    const QRect area = NormalRect(r);
    if (area.isEmpty())
        return;
    if (Brush.Style != bsClear)
        FillArea(area);
    const int left = area.left();
    const int top = area.top();
    const int right = area.right();
    const int bottom = area.bottom();
    if (left == right || top == bottom) {
        // Degenerate: the outline is the one row or column itself.
        const std::array<QPoint, 2> line = {
            {{left, top}, {right + (left == right ? 0 : 1), bottom + (left == right ? 1 : 0)}}};
        Stroke(line, false);
        return;
    }
    const std::array<QPoint, 4> outline = {{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
    Stroke(outline, true);
}

void TChartCanvas::FillRect(const TRect& r)
{
    const QRect area = NormalRect(r);
    if (!area.isEmpty() && Brush.Style != bsClear)
        FillArea(area);
}

void TChartCanvas::FillArea(const QRect& area)
{
    if (Brush.Style == bsSolid && FImage != nullptr) {
        const QRgb colour = ToRgb(Brush.Color);
        for (int y = area.top(); y <= area.bottom(); ++y)
            FTarget.SetRow(y, area.left(), area.right() + 1, colour);
        return;
    }
    ApplyBrush();
    ApplyBackground();
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FAppliedPen.reset();
    FPainter.fillRect(area, FPainter.brush());
}

void TChartCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.empty())
        return;
    // Ribbons and walls have a handful of corners: no heap for them.
    constexpr std::size_t kFew = 8;
    std::array<QPoint, kFew> few;
    std::vector<QPoint> many;
    QPoint* corners = few.data();
    if (points.size() > kFew) {
        many.resize(points.size());
        corners = many.data();
    }
    for (std::size_t i = 0; i < points.size(); ++i)
        corners[i] = QPoint(points[i].X, points[i].Y);
    if (Brush.Style == bsSolid && FImage != nullptr && points.size() <= kShapeCorners) {
        const QRgb colour = ToRgb(Brush.Color);
        const QPoint origin = corners[0];
        for (const TFillSpan& span : FillSpans(std::span<const QPoint>(corners, points.size())))
            FTarget.SetRow(origin.y() + span.Row, origin.x() + span.Left, origin.x() + span.Right, colour);
    } else if (Brush.Style != bsClear) {
        ApplyBrush();
        ApplyBackground();
        FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FPainter.setPen(Qt::NoPen);
        FAppliedPen.reset();
        FPainter.drawPolygon(corners, static_cast<int>(points.size()), Qt::OddEvenFill);
    }
    Stroke(std::span<const QPoint>(corners, points.size()), true);
}

std::size_t TChartCanvas::TShapeHash::operator()(const TShape& shape) const
{
    std::size_t hash = shape.Corners;
    for (std::size_t i = 0; i < 2 * shape.Corners; ++i)
        hash = hash * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(shape.Offsets[i]));
    return hash;
}

const std::vector<TChartCanvas::TFillSpan>& TChartCanvas::FillSpans(std::span<const QPoint> corners)
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
        std::array<QPoint, kShapeCorners> placed;
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

void TChartCanvas::Line(int x0, int y0, int x1, int y1)
{
    const std::array<QPoint, 2> line = {{{x0, y0}, {x1, y1}}};
    Stroke(line, false);
}

bool TChartCanvas::DirectPixels() const
{
    return FImage != nullptr && Pen.Mode == pmCopy && Pen.Width <= 1;
}

void TChartCanvas::UpdatePixelTarget()
{
    if (FImage == nullptr)
        return;
    TPixelTarget& target = FTarget;
    target.Mask = nullptr;
    // constBits: the image is being painted on and must not detach.
    target.Bits = reinterpret_cast<QRgb*>(const_cast<uchar*>(FImage->constBits()));
    target.Stride = FImage->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    QRect bounds = FImage->rect();
    if (FClipKind == TClipKind::Rect)
        bounds &= FClipRect;
    if (FClipKind == TClipKind::Mask) {
        target.Mask = FClipMask.constBits();
        target.MaskStride = FClipMask.bytesPerLine();
    }
    target.Left = bounds.left();
    target.Top = bounds.top();
    target.Right = bounds.left() + bounds.width();
    target.Bottom = bounds.top() + bounds.height();
}

void TChartCanvas::Stroke(std::span<const QPoint> vertices, bool closed)
{
    if (Pen.Style == psClear || vertices.size() < 2)
        return;
    if (Pen.Width > 1) {
        ApplyPen();
        ApplyBackground();
        FPainter.setBrush(Qt::NoBrush);
        FAppliedBrush.reset();
        if (closed)
            FPainter.drawPolygon(QPolygon(QList<QPoint>(vertices.begin(), vertices.end())));
        else
            FPainter.drawPolyline(QPolygon(QList<QPoint>(vertices.begin(), vertices.end())));
        return;
    }
    // One-pixel pens are rasterised here: each segment from its start pixel up to, not
    // including, its end pixel, the dash pattern running on across the segments. Every pixel
    // of a closed outline is thus painted once, which keeps pmNotXor reversible.
    const bool direct = DirectPixels();
    const TPixelTarget& target = FTarget;
    const QRgb penColour = ToRgb(Pen.Color);
    const bool solid = Pen.Style == psSolid;
    const auto eachSegment = [&](const auto& plot) {
        const std::size_t segments = closed ? vertices.size() : vertices.size() - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            const QPoint a = vertices[i];
            const QPoint b = vertices[(i + 1) % vertices.size()];
            ForEachLinePixel(a.x(), a.y(), b.x(), b.y(), plot);
        }
    };
    if (solid && direct) {
        eachSegment([&](int x, int y) { target.Set(x, y, penColour); });
        return;
    }
    const bool backPixels = BackMode == bmOpaque;
    const QRgb backColour = ToRgb(BackColor);
    // The dash pattern in whole pixels, walked one pixel at a time across all segments.
    std::array<int, 6> pattern{};
    std::size_t parts = 0;
    if (!solid) {
        for (qreal part : DashPattern(Pen.Style))
            pattern[parts++] = static_cast<int>(part);
    }
    std::size_t part = 0;
    int inPart = 0;
    QPolygon on;
    QPolygon off;
    eachSegment([&](int x, int y) {
        bool dash = true;
        if (parts > 0) {
            dash = part % 2 == 0;
            if (++inPart == pattern[part]) {
                inPart = 0;
                part = (part + 1) % parts;
            }
        }
        if (direct) {
            if (dash || backPixels)
                target.Set(x, y, dash ? penColour : backColour);
            return;
        }
        (dash ? on : off).append(QPoint(x, y));
    });
    if (direct)
        return;
    FPainter.setCompositionMode(Pen.Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                     : QPainter::CompositionMode_SourceOver);
    FAppliedPen.reset();
    QPen pixel(ToQColor(Pen.Color), 0);
    pixel.setCapStyle(Qt::SquareCap);
    FPainter.setPen(pixel);
    FPainter.drawPoints(on);
    if (!off.isEmpty() && BackMode == bmOpaque) {
        pixel.setColor(ToQColor(BackColor));
        FPainter.setPen(pixel);
        FPainter.drawPoints(off);
    }
}

void TChartCanvas::SetBrushCanvas(TColor color, TBrushStyle style, TColor background)
{
    if (style != bsSolid && background == color)
        Brush.Color = background == clBlack ? clWhite : clBlack;
    else
        Brush.Color = color;
    Brush.Style = style;
    if (style == bsSolid) {
        BackMode = bmTransparent;
    } else {
        BackMode = bmOpaque;
        BackColor = background;
    }
}

void TChartCanvas::ClipRectangle(const TRect& r)
{
    FPainter.setClipRect(NormalRect(r));
    FClipKind = TClipKind::Rect;
    FClipRect = NormalRect(r);
    UpdatePixelTarget();
}

void TChartCanvas::ClipPolygon(std::span<const TPoint> points)
{
    // A path clip samples pixel centres, as the polygon fill does; a QRegion would not.
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(QPolygonF(ToQPolygon(points)));
    path.closeSubpath();
    FPainter.setClipPath(path);
    if (FImage == nullptr)
        return;
    FClipKind = TClipKind::Mask;
    // Every series of a paint clips to the same outline: its mask is made once.
    if (FClipMask.size() == FImage->size() &&
        std::equal(points.begin(), points.end(), FClipMaskPoints.begin(), FClipMaskPoints.end())) {
        UpdatePixelTarget();
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
    UpdatePixelTarget();
}

void TChartCanvas::UnClip()
{
    FPainter.setClipping(false);
    FClipKind = TClipKind::None;
    UpdatePixelTarget();
}

void TChartCanvas::Draw(int x, int y, const QImage& image)
{
    FPainter.setCompositionMode(QPainter::CompositionMode_Source);
    FPainter.drawImage(x, y, image);
    FAppliedPen.reset();
}
