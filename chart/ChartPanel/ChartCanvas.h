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

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cwchar>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class QImage;
class QPaintDevice;
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

protected:
    QPainter& Painter() { return FPainter; }

private:
    // Fills a non-empty area with the brush (not clear).
    void FillArea(const QRect& area);
    // Outline through the vertices with the pen, end pixels left out.
    void Stroke(std::span<const QPoint> vertices, bool closed);
    // One-pixel copy-mode strokes on a 32-bit image write their pixels straight into it,
    // inside the clip this canvas keeps alongside the painter's; the same pixels as a
    // painter would set, without its per-point cost.
    bool DirectPixels() const;
    // n copies of a 32-bit word through the C library's vectorised wide-character fill
    // (a plain loop stays one word per store at this optimisation level).
    static void FillWords(QRgb* words, int n, QRgb value)
    {
        static_assert(sizeof(wchar_t) == sizeof(QRgb));
        std::wmemset(reinterpret_cast<wchar_t*>(words), static_cast<wchar_t>(value), static_cast<std::size_t>(n));
    }
    // Where a direct stroke writes: image rows and the clip (bounds, polygon mask or none).
    struct TPixelTarget {
        QRgb* Bits = nullptr;
        qsizetype Stride = 0;
        int Left = 0;
        int Top = 0;
        int Right = 0;
        int Bottom = 0;
        const uchar* Mask = nullptr;
        qsizetype MaskStride = 0;

        void Set(int x, int y, QRgb colour) const
        {
            if (x < Left || x >= Right || y < Top || y >= Bottom)
                return;
            if (Mask != nullptr && Mask[y * MaskStride + x] == 0)
                return;
            Bits[y * Stride + x] = colour;
        }
        // Pixels left..right-1 of row y.
        void SetRow(int y, int left, int right, QRgb colour) const
        {
            if (y < Top || y >= Bottom)
                return;
            left = std::max(left, Left);
            right = std::min(right, Right);
            QRgb* row = Bits + y * Stride;
            if (Mask == nullptr) {
                if (left < right)
                    FillWords(row + left, right - left, colour);
                return;
            }
            const uchar* inside = Mask + y * MaskStride;
            for (int x = left; x < right; ++x) {
                if (inside[x] != 0)
                    row[x] = colour;
            }
        }
    };
    // Recomputed whenever the clip changes.
    void UpdatePixelTarget();

    // A polygon's fill as the painter rasterises it, as row spans relative to its first
    // corner: the same wherever the same shape is placed, so each shape is rasterised once.
    struct TFillSpan {
        int Row = 0;
        int Left = 0;
        int Right = 0;  // excluded
    };
    static constexpr std::size_t kShapeCorners = 8;
    struct TShape {
        std::array<int, 2 * kShapeCorners> Offsets{};
        std::size_t Corners = 0;
        friend bool operator==(const TShape&, const TShape&) = default;
    };
    struct TShapeHash {
        std::size_t operator()(const TShape& shape) const;
    };
    static const std::vector<TFillSpan>& FillSpans(std::span<const QPoint> corners);
    TPixelTarget FTarget;
    void ApplyPen();
    void ApplyBrush();
    void ApplyBackground();
    const QFont& CurrentFont();
    QFontMetrics& CurrentMetrics();
    QPoint TextOrigin(int x, int y, int width, const QFontMetrics& metrics) const;

    QPainter FPainter;
    std::optional<TCanvasPen> FAppliedPen;
    std::optional<TCanvasBrush> FAppliedBrush;
    std::optional<std::pair<TColor, TBackgroundMode>> FAppliedBackground;
    std::optional<TChartFont> FFontFor;
    QFont FFont;
    std::unique_ptr<QFontMetrics> FMetrics;
    // Measured advances of the current font, shared by every canvas of the thread.
    std::unordered_map<std::string, int>* FAdvances = nullptr;
    static constexpr std::size_t kMaxAdvances = 4096;
    // The device when it is a 32-bit image; null otherwise.
    QImage* FImage = nullptr;
    enum class TClipKind : std::uint8_t { None, Rect, Mask };
    TClipKind FClipKind = TClipKind::None;
    QRect FClipRect;
    // Polygon clips: the painter's own coverage, one byte per pixel.
    QImage FClipMask;
    std::vector<TPoint> FClipMaskPoints;
};

QColor ToQColor(TColor color);
