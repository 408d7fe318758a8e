#include "chart/ChartPanel/ChartCanvas.h"

#include "chart/ChartPanel/CanvasColor.h"
#include "chart/ChartPanel/CanvasRaster.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/LinePixelCache.h"
#include "chart/ChartPanel/LinePixels.h"
#include "chart/ChartPanel/PolygonSpanCache.h"
#include "chart/ChartPanel/TextWidthCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

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

// The smallest rectangle holding every vertex.
QRect BoundingBox(std::span<const QPoint> vertices)
{
    int left = vertices[0].x();
    int top = vertices[0].y();
    int right = left;
    int bottom = top;
    for (const QPoint& p : vertices) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where a fill through the vertices may set pixels: their box, and a pixel round it for safety
// (the painter's spans were found with that much room).
QRect FillBox(std::span<const QPoint> vertices)
{
    return BoundingBox(vertices).marginsAdded({1, 1, 1, 1});
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

struct TChartCanvas::TPaint {
    explicit TPaint(QPaintDevice* device) : Painter(device), Raster(device) {}

    // Parallelograms of this depth follow: what is kept for them is found for it.
    void UseDepth(TPoint depth)
    {
        if (DepthKnown && depth == Depth)
            return;
        DepthKnown = true;
        Depth = depth;
        SpansByRise.clear();
        ForthWords = Raster.WordOffsets(LinePixelOffsets(depth.X, depth.Y));
        BackWords = Raster.WordOffsets(LinePixelOffsets(-depth.X, -depth.Y));
    }

    // A parallelogram's fill by the rise of its vertical edge, for the depth in use.
    const std::vector<TFillSpan>& ParallelogramSpans(int x, int from, int to)
    {
        const TPoint depth = Depth;
        const int rise = from - to;
        // A rise r at 2 |r|, or at 2 |r| + 1 when negative.
        const std::size_t index = 2 * static_cast<std::size_t>(std::abs(rise)) + (rise < 0 ? 1 : 0);
        if (index >= SpansByRise.size())
            SpansByRise.resize(index + 1);
        if (!SpansByRise[index]) {
            const std::array<QPoint, 4> corners = {
                {{x, to}, {x, from}, {x + depth.X, from + depth.Y}, {x + depth.X, to + depth.Y}}};
            SpansByRise[index] = PolygonFillSpans(corners);
        }
        return *SpansByRise[index];
    }

    QPainter Painter;
    std::optional<TCanvasPen> AppliedPen;
    std::optional<TCanvasBrush> AppliedBrush;
    std::optional<std::pair<TColor, TBackgroundMode>> AppliedBackground;
    std::optional<TChartFont> FontFor;
    QFont Font;
    std::unique_ptr<QFontMetrics> Metrics;
    TTextWidthCache Widths;
    TCanvasRaster Raster;
    // For parallelograms of one depth: the fill by rise, and both depth edges' pixels as word
    // offsets from their starts.
    bool DepthKnown = false;
    TPoint Depth;
    std::vector<std::optional<std::vector<TFillSpan>>> SpansByRise;
    std::vector<qsizetype> ForthWords;
    std::vector<qsizetype> BackWords;
};

TChartCanvas::TChartCanvas(QPaintDevice* device) : FPaint(std::make_unique<TPaint>(device))
{
    FPaint->Painter.setRenderHint(QPainter::Antialiasing, false);
    FPaint->Painter.setRenderHint(QPainter::TextAntialiasing, true);
}

TChartCanvas::~TChartCanvas() = default;

void TChartCanvas::AssignPen(const TChartPen& pen)
{
    Pen = {pen.Color(), pen.Width(), pen.Style(), pen.Mode()};
}

void TChartCanvas::ApplyPen()
{
    if (FPaint->AppliedPen == Pen)
        return;
    FPaint->AppliedPen = Pen;
    FPaint->Painter.setCompositionMode(Pen.Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                            : QPainter::CompositionMode_SourceOver);
    if (Pen.Style == psClear) {
        FPaint->Painter.setPen(Qt::NoPen);
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
    FPaint->Painter.setPen(pen);
}

void TChartCanvas::ApplyBrush()
{
    if (FPaint->AppliedBrush == Brush)
        return;
    FPaint->AppliedBrush = Brush;
    FPaint->Painter.setBrush(QBrush(ToQColor(Brush.Color), QtBrushStyle(Brush.Style)));
}

void TChartCanvas::ApplyBackground()
{
    const std::pair<TColor, TBackgroundMode> background = {BackColor, BackMode};
    if (FPaint->AppliedBackground == background)
        return;
    FPaint->AppliedBackground = background;
    FPaint->Painter.setBackground(QBrush(ToQColor(BackColor)));
    FPaint->Painter.setBackgroundMode(BackMode == bmOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
}

const QFont& TChartCanvas::CurrentFont()
{
    if (FPaint->FontFor && FPaint->FontFor->SameAs(Font))
        return FPaint->Font;
    FPaint->FontFor.emplace();
    FPaint->FontFor->Assign(Font);
    FPaint->Font = QFont(QString::fromStdString(Font.Name()));
    const std::int32_t height = Font.Height();
    if (height < 0) {
        FPaint->Font.setPixelSize(-height);
    } else if (height > 0) {
        // A positive height is the cell height: scale the em so ascent + descent match it.
        FPaint->Font.setPixelSize(height);
        const int cell = QFontMetrics(FPaint->Font).height();
        if (cell > 0)
            FPaint->Font.setPixelSize(std::max(1, height * height / cell));
    }
    const TFontStyles style = Font.Style();
    FPaint->Font.setBold((style & fsBold) != 0);
    FPaint->Font.setItalic((style & fsItalic) != 0);
    FPaint->Font.setUnderline((style & fsUnderline) != 0);
    FPaint->Font.setStrikeOut((style & fsStrikeOut) != 0);
    FPaint->Metrics = std::make_unique<QFontMetrics>(FPaint->Font);
    FPaint->Widths.Select(FPaint->Font, *FPaint->Metrics);
    return FPaint->Font;
}

QFontMetrics& TChartCanvas::CurrentMetrics()
{
    CurrentFont();
    return *FPaint->Metrics;
}

void TChartCanvas::SetCanvasFont(TChartFont& font)
{
    font.PixelsPerInch = Font.PixelsPerInch;
    Font.Assign(font);
}

int TChartCanvas::TextWidth(const std::string& text)
{
    CurrentFont();
    return FPaint->Widths.Width(text, *FPaint->Metrics);
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
    FPaint->Painter.setFont(FPaint->Font);
    const QFontMetrics& metrics = *FPaint->Metrics;
    const QPoint origin = TextOrigin(x, y, width, metrics);
    FPaint->Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A clear brush writes the text alone, whatever the background mode says.
    if (BackMode == bmOpaque && Brush.Style != bsClear)
        FPaint->Painter.fillRect(QRect(origin.x(), origin.y(), width, metrics.height()), ToQColor(BackColor));
    FPaint->Painter.setPen(ToQColor(Font.Color()));
    FPaint->AppliedPen.reset();
    // The box is painted above or not at all; the painter's own would fill it again.
    FPaint->Painter.setBackgroundMode(Qt::TransparentMode);
    FPaint->AppliedBackground.reset();
    FPaint->Painter.drawText(QPoint(origin.x(), origin.y() + metrics.ascent()), QString::fromStdString(text));
}

void TChartCanvas::RotateLabel(int x, int y, const std::string& text, double angle)
{
    const QString qtext = QString::fromStdString(text);
    FPaint->Painter.setFont(CurrentFont());
    const QFontMetrics& metrics = *FPaint->Metrics;
    const QPoint origin = TextOrigin(0, 0, metrics.horizontalAdvance(qtext), metrics);
    FPaint->Painter.save();
    FPaint->Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPaint->Painter.translate(x, y);
    FPaint->Painter.rotate(-angle);
    FPaint->Painter.setBackgroundMode(Qt::TransparentMode);
    FPaint->Painter.setPen(ToQColor(Font.Color()));
    FPaint->Painter.drawText(QPoint(origin.x(), origin.y() + metrics.ascent()), qtext);
    FPaint->Painter.restore();
    FPaint->AppliedPen.reset();
    FPaint->AppliedBrush.reset();
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
    if (Brush.Style == bsSolid && FPaint->Raster.Direct()) {
        const QRgb colour = ToRgb(Brush.Color);
        const TCanvasRaster& raster = FPaint->Raster;
        for (int y = area.top(); y <= area.bottom(); ++y)
            raster.SetRow(y, area.left(), area.right() + 1, colour);
        return;
    }
    ApplyBrush();
    ApplyBackground();
    FPaint->Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPaint->AppliedPen.reset();
    FPaint->Painter.fillRect(area, FPaint->Painter.brush());
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
    if (Brush.Style == bsSolid && FPaint->Raster.Direct() && points.size() <= kMostSpanCorners) {
        const std::span<const QPoint> shape(corners, points.size());
        const TCanvasRaster& raster = FPaint->Raster;
        raster.SetSpans(corners[0], PolygonFillSpans(shape), raster.Holds(FillBox(shape)), ToRgb(Brush.Color));
    } else if (Brush.Style != bsClear) {
        ApplyBrush();
        ApplyBackground();
        FPaint->Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        FPaint->Painter.setPen(Qt::NoPen);
        FPaint->AppliedPen.reset();
        FPaint->Painter.drawPolygon(corners, static_cast<int>(points.size()), Qt::OddEvenFill);
    }
    Stroke(std::span<const QPoint>(corners, points.size()), true);
}

void TChartCanvas::Parallelograms(int x, TPoint depth, std::span<const std::pair<std::int32_t, std::int32_t>> verticals)
{
    if (verticals.empty())
        return;
    const TCanvasRaster& raster = FPaint->Raster;
    int top = verticals[0].first;
    int bottom = top;
    for (const auto& [from, to] : verticals) {
        top = std::min({top, from, to});
        bottom = std::max({bottom, from, to});
    }
    const std::array<QPoint, 4> reach = {
        {{x, top}, {x, bottom}, {x + depth.X, top + depth.Y}, {x + depth.X, bottom + depth.Y}}};
    const QRect box = FillBox(reach);
    const bool outline = Pen.Style != psClear;
    if (Brush.Style != bsSolid || !raster.Direct() || (outline && (Pen.Style != psSolid || !DirectPixels())) ||
        !raster.Holds(box)) {
        for (const auto& [from, to] : verticals) {
            const std::array<TPoint, 4> corners = {
                {{x, to}, {x, from}, {x + depth.X, from + depth.Y}, {x + depth.X, to + depth.Y}}};
            Polygon(corners);
        }
        return;
    }
    const QRgb fill = ToRgb(Brush.Color);
    const QRgb pen = ToRgb(Pen.Color);
    FPaint->UseDepth(depth);
    for (const auto& [from, to] : verticals) {
        raster.SetSpans({x, to}, FPaint->ParallelogramSpans(x, from, to), true, fill);
        if (!outline)
            continue;
        // The vertical edges: to up to from, and from + depth up to to + depth, each without
        // its end pixel (none when from is to); then the depth edges from from and from to + depth.
        const bool down = to > from;
        raster.SetColumn(x, down ? from + 1 : to, down ? to + 1 : from, pen);
        raster.SetColumn(x + depth.X, (down ? from : to + 1) + depth.Y, (down ? to : from + 1) + depth.Y, pen);
        raster.SetWords({x, from}, FPaint->ForthWords, pen);
        raster.SetWords({x + depth.X, to + depth.Y}, FPaint->BackWords, pen);
    }
}

void TChartCanvas::Line(int x0, int y0, int x1, int y1)
{
    const std::array<QPoint, 2> line = {{{x0, y0}, {x1, y1}}};
    Stroke(line, false);
}

bool TChartCanvas::DirectPixels() const
{
    return FPaint->Raster.Direct() && Pen.Mode == pmCopy && Pen.Width <= 1;
}

void TChartCanvas::Stroke(std::span<const QPoint> vertices, bool closed)
{
    if (Pen.Style == psClear || vertices.size() < 2)
        return;
    if (Pen.Width > 1) {
        ApplyPen();
        ApplyBackground();
        FPaint->Painter.setBrush(Qt::NoBrush);
        FPaint->AppliedBrush.reset();
        if (closed)
            FPaint->Painter.drawPolygon(QPolygon(QList<QPoint>(vertices.begin(), vertices.end())));
        else
            FPaint->Painter.drawPolyline(QPolygon(QList<QPoint>(vertices.begin(), vertices.end())));
        return;
    }
    // One-pixel pens are rasterised here: each segment from its start pixel up to, not
    // including, its end pixel, the dash pattern running on across the segments. Every pixel
    // of a closed outline is thus painted once, which keeps pmNotXor reversible.
    const bool direct = DirectPixels();
    const TCanvasRaster& raster = FPaint->Raster;
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
        const bool holds = raster.Holds(BoundingBox(vertices));
        const std::size_t segments = closed ? vertices.size() : vertices.size() - 1;
        for (std::size_t i = 0; i < segments; ++i)
            raster.Segment(vertices[i], vertices[(i + 1) % vertices.size()], holds, penColour);
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
                raster.Set(x, y, dash ? penColour : backColour);
            return;
        }
        (dash ? on : off).append(QPoint(x, y));
    });
    if (direct)
        return;
    FPaint->Painter.setCompositionMode(Pen.Mode == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                            : QPainter::CompositionMode_SourceOver);
    FPaint->AppliedPen.reset();
    QPen pixel(ToQColor(Pen.Color), 0);
    pixel.setCapStyle(Qt::SquareCap);
    FPaint->Painter.setPen(pixel);
    FPaint->Painter.drawPoints(on);
    if (!off.isEmpty() && BackMode == bmOpaque) {
        pixel.setColor(ToQColor(BackColor));
        FPaint->Painter.setPen(pixel);
        FPaint->Painter.drawPoints(off);
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
    const QRect area = NormalRect(r);
    FPaint->Painter.setClipRect(area);
    FPaint->Raster.ClipRect(area);
}

void TChartCanvas::ClipPolygon(std::span<const TPoint> points)
{
    // A path clip samples pixel centres, as the polygon fill does; a QRegion would not.
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(QPolygonF(ToQPolygon(points)));
    path.closeSubpath();
    FPaint->Painter.setClipPath(path);
    FPaint->Raster.ClipPath(points, path);
}

void TChartCanvas::UnClip()
{
    FPaint->Painter.setClipping(false);
    FPaint->Raster.UnClip();
}

void TChartCanvas::Draw(int x, int y, const QImage& image)
{
    FPaint->Painter.setCompositionMode(QPainter::CompositionMode_Source);
    FPaint->Painter.drawImage(x, y, image);
    FPaint->AppliedPen.reset();
}
