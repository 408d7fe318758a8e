#pragma once
// The chart control's base: margins, bounds and chart rectangle, the off-screen image and
// the drawing surface every part draws on. The host widget forwards its paint requests to
// Paint and its geometry to SetBounds, and repaints when OnInvalidate fires.
#include "app/Cursor.h"
#include "chart/ChartPanel/ChartCanvas.h"
#include "chart/ChartPanel/ChartMouse.h"
#include "chart/ChartPanel/ChartTypes.h"
#include "chart/ChartPanel/ZoomPanningRecord.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>

class TChartFont;

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised };

class TCustomChartPanel {
public:
    TCustomChartPanel();
    virtual ~TCustomChartPanel();
    TCustomChartPanel(const TCustomChartPanel&) = delete;
    TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

    // Margins in percent of the drawn width (0 left, 2 right) or height (1 top, 3 bottom).
    std::int32_t GetMargin(int index) const { return FMargins[index]; }
    void SetMargin(int index, std::int32_t value);
    std::int32_t MarginLeft() const { return FMargins[0]; }
    std::int32_t MarginTop() const { return FMargins[1]; }
    std::int32_t MarginRight() const { return FMargins[2]; }
    std::int32_t MarginBottom() const { return FMargins[3]; }
    void SetMarginLeft(std::int32_t value) { SetMargin(0, value); }
    void SetMarginTop(std::int32_t value) { SetMargin(1, value); }
    void SetMarginRight(std::int32_t value) { SetMargin(2, value); }
    void SetMarginBottom(std::int32_t value) { SetMargin(3, value); }

    // Settings of the bevelled panel the control is. Not published by the chart window.
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel value);
    std::int32_t BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(std::int32_t value);
    std::int32_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(std::int32_t value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);

    // Control level.
    virtual void Invalidate();
    virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    virtual TRect GetClientRect() const;
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    // The window's paint request: a copy of ChartImage while it is clean, else a full Draw.
    virtual void Paint(TChartCanvas& controlCanvas);
    // Draws the complete chart into userCanvas at userRect, through ChartImage.
    virtual void Draw(TChartCanvas& userCanvas, const TRect& userRect);
    // The first step of the paint sequence: the panel's fill, then its bevels and border.
    virtual void DrawPanel(const TRect& r);
    // ChartImage at the client size, drawn first while it is dirty; nothing is copied.
    const QImage& UpdatedImage();
    virtual void PartChanged();

    // Mouse input in client pixels, forwarded by the host. The panel only passes it to the
    // control's own events; the chart control zooms and scrolls.
    virtual void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
    virtual void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
    // Puts back the cursor a drag or a series under the mouse replaced.
    virtual void MouseLeave();
    std::function<void(TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnMouseDown;
    std::function<void(TShiftState, std::int32_t, std::int32_t)> OnMouseMove;
    std::function<void(TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnMouseUp;
    // The cursor shown over the control; the host applies it through OnCursorChange.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    std::function<void(TCursor)> OnCursorChange;

    // Drawing-surface operations on FDrawingCanvas.
    virtual void SetCanvasFont(TChartFont& font);
    virtual void TextOut(int x, int y, const std::string& text);
    virtual int TextHeight(const std::string& text);
    virtual int TextWidth(const std::string& text);
    int FontHeight() { return TextHeight("W"); }
    // FDrawingCanvas during a paint; a scratch surface for measuring outside one.
    TChartCanvas& Canvas();

    // Keeps ChartRect inside the top-left of ChartBounds and at least one pixel wide and
    // high, then derives ChartWidth, ChartHeight and the centre.
    void RecalcWidthHeight();

    // Called by the host whenever Invalidate marks the image dirty.
    std::function<void()> OnInvalidate;
    // The host paints the pending invalid area before returning (the window system's update).
    std::function<void()> OnUpdate;
    // Invalidate, then paint at once.
    void Repaint();
    // Between paints the host lends a canvas on the window's own pixels, which keep what is
    // drawn there until the next paint; it shows the result once the callback returns.
    std::function<void(const std::function<void(TChartCanvas&)>&)> OnDrawOnWindow;

    bool ImageDirty = true;
    const QImage* ChartImage() const { return FChartImage.get(); }

    // 3D working values, recomputed at every paint.
    std::int32_t Width3D = 0;
    std::int32_t Height3D = 0;
    std::int32_t MaxZOrder = 0;
    std::int32_t SeriesWidth3D = 0;
    std::int32_t SeriesHeight3D = 0;

    TRect ChartBounds;
    TRect ChartRect;
    std::int32_t ChartWidth = 0;
    std::int32_t ChartHeight = 0;
    std::int32_t ChartXCenter = 0;
    std::int32_t ChartYCenter = 0;

    TZoomPanningRecord Zoom;
    TZoomPanningRecord Panning;

protected:
    // The paint sequence proper, drawn on FDrawingCanvas.
    virtual void InternalDraw(const TRect& r) = 0;
    // The panel's fill; the chart control paints its gradient instead.
    virtual void FillPanelRect(const TRect& r);
    // The surface on the off-screen image; tests substitute a recording one.
    virtual std::unique_ptr<TChartCanvas> CreateImageCanvas(QImage& image);

    void SetMonochromeImage(bool monochrome);
    // Draw without the copy: ChartImage sized to userRect and drawn complete.
    void DrawImage(const TRect& userRect);
    // Runs draw with FDrawingCanvas on the window; nothing happens without a host window.
    void DrawOnWindow(const std::function<void()>& draw);
    // Shows a passing cursor; the first call keeps the control's own for RestoreCursor.
    void ShowPassingCursor(TCursor value);
    void RestoreCursor();

    TChartCanvas* FControlCanvas = nullptr;
    TChartCanvas* FDrawingCanvas = nullptr;

private:
    std::int32_t FMargins[4] = {3, 3, 3, 3};
    TCursor FCursor = crDefault;
    // The cursor the control had before a drag or a series replaced it.
    TCursor FOriginalCursor = crDefault;
    bool FCursorPassing = false;
    TPanelBevel FBevelOuter = bvRaised;
    TPanelBevel FBevelInner = bvNone;
    std::int32_t FBevelWidth = 1;
    std::int32_t FBorderWidth = 0;
    TColor FColor = clBtnFace;
    std::int32_t FLeft = 0;
    std::int32_t FTop = 0;
    std::int32_t FWidth = 400;
    std::int32_t FHeight = 250;
    bool FMonochromeImage = false;
    std::unique_ptr<QImage> FChartImage;
    std::unique_ptr<QImage> FScratchImage;
    std::unique_ptr<TChartCanvas> FScratchCanvas;
};
