#pragma once
// The drawing surface: every chart part draws through this class only. It paints with a
// QPainter but follows the window-system conventions the chart was designed for:
// - lines leave out their end pixel;
// - a rectangle covers Left..Right-1 and Top..Bottom-1, corners in either order;
// - text is anchored at its top-left corner (or as TextAlign says); its background box is
//   painted only with BackMode opaque and a brush that is not clear;
// - pmNotXor applied twice restores the pixels;
// - psDot is 3 pixels on, 3 off (psDash 18/6, psDashDot 9/6/3/6, psDashDotDot 9/3/3/3/3/3),
//   restarting at the first point of every line;
// - one-pixel pens paint every pixel of an outline once;
// - a polygon clip samples pixel centres, exactly like a polygon fill.
#include "chart/ChartPanel/ChartFont.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <memory>
#include <span>
#include <string>
#include <utility>

class QFont;
class QFontMetrics;
class QImage;
class QPaintDevice;
class QPoint;
class QRect;
class TChartPen;

struct TCanvasPen {
    TColor Color = clBlack;
    std::int32_t Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TCanvasPen&, const TCanvasPen&) = default;
};

struct TCanvasBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TCanvasBrush&, const TCanvasBrush&) = default;
};

class TChartCanvas {
public:
    // Paints on the device (an image or a widget in its paint event) while the canvas lives.
    explicit TChartCanvas(QPaintDevice* device);
    virtual ~TChartCanvas();
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;

    // State read at every operation.
    TCanvasPen Pen;
    TCanvasBrush Brush;
    TChartFont Font;
    TColor BackColor = clWhite;
    TBackgroundMode BackMode = bmOpaque;
    int TextAlign = TA_LEFT | TA_TOP;

    // Pen := the chart pen's colour, width, style and mode (visibility is the caller's).
    void AssignPen(const TChartPen& pen);

    // Gives the font the canvas resolution, then makes the canvas font a copy of it.
    virtual void SetCanvasFont(TChartFont& font);
    virtual void TextOut(int x, int y, const std::string& text);
    // Counter-clockwise by angle degrees about (x, y), background always transparent.
    virtual void RotateLabel(int x, int y, const std::string& text, double angle);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    int FontHeight() { return TextHeight("W"); }

    virtual void Rectangle(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(TRect{left, top, right, bottom}); }
    virtual void FillRect(const TRect& r);
    // Closed polygon through every point, alternate filling.
    virtual void Polygon(std::span<const TPoint> points);
    // For each (from, to) in order, the polygon through (x, to), (x, from), (x, from) + depth and
    // (x, to) + depth: the same pixels as those Polygon calls, drawn without their set-up.
    void Parallelograms(int x, TPoint depth, std::span<const std::pair<std::int32_t, std::int32_t>> verticals);
    virtual void Line(int x0, int y0, int x1, int y1);
    void HorizLine(int x0, int x1, int y) { Line(x0, y, x1, y); }
    void VertLine(int x, int y0, int y1) { Line(x, y0, x, y1); }

    // Hatched brushes whose background equals the colour switch to black or white to stay visible.
    void SetBrushCanvas(TColor color, TBrushStyle style, TColor background);

    virtual void ClipRectangle(const TRect& r);
    virtual void ClipPolygon(std::span<const TPoint> points);
    virtual void UnClip();

    // Copies an image in one block with its top-left corner at (x, y).
    virtual void Draw(int x, int y, const QImage& image);

private:
    // The painter, what it was last given, the current font and the direct pixel path.
    struct TPaint;

    // Fills a non-empty area with the brush (not clear).
    void FillArea(const QRect& area);
    // Outline through the vertices with the pen, end pixels left out.
    void Stroke(std::span<const QPoint> vertices, bool closed);
    // One-pixel copy-mode strokes on a 32-bit image write their pixels directly.
    bool DirectPixels() const;
    void ApplyPen();
    void ApplyBrush();
    void ApplyBackground();
    const QFont& CurrentFont();
    QFontMetrics& CurrentMetrics();
    QPoint TextOrigin(int x, int y, int width, const QFontMetrics& metrics) const;

    std::unique_ptr<TPaint> FPaint;
};
