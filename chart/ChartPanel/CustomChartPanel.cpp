#include "chart/ChartPanel/CustomChartPanel.h"

#include <utility>

namespace {

// Sets the canvas pointer for the duration of a buffered paint, whatever happens inside.
class TCanvasSwap {
public:
    TCanvasSwap(TChartCanvas*& slot, TChartCanvas* during, TChartCanvas* after) : FSlot(slot), FAfter(after)
    {
        FSlot = during;
    }
    ~TCanvasSwap() { FSlot = FAfter; }
    TCanvasSwap(const TCanvasSwap&) = delete;
    TCanvasSwap& operator=(const TCanvasSwap&) = delete;

private:
    TChartCanvas*& FSlot;
    TChartCanvas* FAfter;
};

}  // namespace

TCustomChartPanel::TCustomChartPanel() = default;
TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetMargin(int index, std::int32_t value)
{
    SetAndRepaint(FMargins[index], value, [this] { Invalidate(); });
}
void TCustomChartPanel::SetBevelOuter(TPanelBevel value)
{
    SetAndRepaint(FBevelOuter, value, [this] { Invalidate(); });
}

void TCustomChartPanel::SetBevelInner(TPanelBevel value)
{
    SetAndRepaint(FBevelInner, value, [this] { Invalidate(); });
}
void TCustomChartPanel::SetBevelWidth(std::int32_t value)
{
    SetAndRepaint(FBevelWidth, value, [this] { Invalidate(); });
}

void TCustomChartPanel::SetBorderWidth(std::int32_t value)
{
    SetAndRepaint(FBorderWidth, value, [this] { Invalidate(); });
}
void TCustomChartPanel::SetColor(TColor value)
{
    SetAndRepaint(FColor, value, [this] { Invalidate(); });
}

void TCustomChartPanel::Invalidate()
{
    ImageDirty = true;
    if (OnInvalidate)
        OnInvalidate();
}

void TCustomChartPanel::PartChanged()
{
    Invalidate();
}

void TCustomChartPanel::Repaint()
{
    Invalidate();
    if (OnUpdate)
        OnUpdate();
}

void TCustomChartPanel::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)
{
    if (OnMouseDown)
        OnMouseDown(button, shift, x, y);
}

void TCustomChartPanel::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y)
{
    if (OnMouseMove)
        OnMouseMove(shift, x, y);
}

void TCustomChartPanel::MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)
{
    if (OnMouseUp)
        OnMouseUp(button, shift, x, y);
}

void TCustomChartPanel::MouseLeave()
{
    RestoreCursor();
}

void TCustomChartPanel::ShowPassingCursor(TCursor value)
{
    if (!FCursorPassing) {
        FOriginalCursor = FCursor;
        FCursorPassing = true;
    }
    SetCursor(value);
}

void TCustomChartPanel::RestoreCursor()
{
    if (FCursorPassing) {
        FCursorPassing = false;
        SetCursor(FOriginalCursor);
    }
}

void TCustomChartPanel::DrawOnWindow(const std::function<void()>& draw)
{
    if (!OnDrawOnWindow)
        return;
    OnDrawOnWindow([&](TChartCanvas& window) {
        TCanvasSwap control(FControlCanvas, &window, nullptr);
        TCanvasSwap drawing(FDrawingCanvas, &window, nullptr);
        draw();
    });
}

void TCustomChartPanel::SetCursor(TCursor value)
{
    SetAndRepaint(FCursor, value, [this] {
        if (OnCursorChange)
            OnCursorChange(FCursor);
    });
}

void TCustomChartPanel::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    ImageDirty = true;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

TRect TCustomChartPanel::GetClientRect() const
{
    return {0, 0, FWidth, FHeight};
}

void TCustomChartPanel::Paint(TChartCanvas& controlCanvas)
{
    TCanvasSwap control(FControlCanvas, &controlCanvas, nullptr);
    TCanvasSwap drawing(FDrawingCanvas, &controlCanvas, nullptr);
    if (!ImageDirty && FChartImage) {
        controlCanvas.Draw(0, 0, *FChartImage);
        return;
    }
    Draw(controlCanvas, GetClientRect());
}

std::unique_ptr<TChartCanvas> TCustomChartPanel::CreateImageCanvas(QImage& image)
{
    return std::make_unique<TChartCanvas>(&image);
}

void TCustomChartPanel::SetMonochromeImage(bool monochrome)
{
    FMonochromeImage = monochrome;
    FChartImage.reset();
    ImageDirty = true;
}

void TCustomChartPanel::Draw(TChartCanvas& userCanvas, const TRect& userRect)
{
    DrawImage(userRect);
    if (!FChartImage->isNull())
        userCanvas.Draw(userRect.Left, userRect.Top, *FChartImage);
}

const QImage& TCustomChartPanel::UpdatedImage()
{
    const TRect client = GetClientRect();
    if (ImageDirty || !FChartImage || FChartImage->width() != client.Right || FChartImage->height() != client.Bottom)
        DrawImage(client);
    return *FChartImage;
}

void TCustomChartPanel::DrawImage(const TRect& userRect)
{
    const std::int32_t h = userRect.Bottom - userRect.Top;
    const std::int32_t w = userRect.Right - userRect.Left;
    if (!FChartImage || FChartImage->width() != w || FChartImage->height() != h)
        FChartImage = std::make_unique<QImage>(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);

    ChartBounds = {0, 0, w, h};
    ChartRect = {MulDiv(MarginLeft(), w, 100), MulDiv(MarginTop(), h, 100), w - MulDiv(MarginRight(), w, 100),
                 h - MulDiv(MarginBottom(), h, 100)};
    ChartRect.Left += FBorderWidth;
    ChartRect.Top += FBorderWidth;
    ChartRect.Right -= FBorderWidth;
    ChartRect.Bottom -= FBorderWidth;
    RecalcWidthHeight();

    if (FChartImage->isNull()) {
        ImageDirty = false;
        return;
    }
    {
        const std::unique_ptr<TChartCanvas> imageCanvas = CreateImageCanvas(*FChartImage);
        TCanvasSwap swap(FDrawingCanvas, imageCanvas.get(), FControlCanvas);
        InternalDraw(ChartBounds);
    }
    if (FMonochromeImage)
        *FChartImage = FChartImage->convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                           .convertToFormat(QImage::Format_RGB32);
    ImageDirty = false;
}

void TCustomChartPanel::RecalcWidthHeight()
{
    if (ChartRect.Left < ChartBounds.Left)
        ChartRect.Left = ChartBounds.Left;
    if (ChartRect.Top < ChartBounds.Top)
        ChartRect.Top = ChartBounds.Top;
    if (ChartRect.Left > ChartRect.Right)
        ChartRect.Right = ChartRect.Left + 1;
    if (ChartRect.Top > ChartRect.Bottom)
        ChartRect.Bottom = ChartRect.Top + 1;
    ChartWidth = ChartRect.Right - ChartRect.Left;
    ChartHeight = ChartRect.Bottom - ChartRect.Top;
    ChartXCenter = (ChartRect.Left + ChartRect.Right) / 2;
    ChartYCenter = (ChartRect.Top + ChartRect.Bottom) / 2;
}

TChartCanvas& TCustomChartPanel::Canvas()
{
    if (FDrawingCanvas != nullptr)
        return *FDrawingCanvas;
    // Outside a paint there is no window canvas; measurements go to a scratch surface.
    if (!FScratchCanvas) {
        FScratchImage = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        FScratchCanvas = std::make_unique<TChartCanvas>(FScratchImage.get());
    }
    return *FScratchCanvas;
}

void TCustomChartPanel::SetCanvasFont(TChartFont& font)
{
    Canvas().SetCanvasFont(font);
}
void TCustomChartPanel::TextOut(int x, int y, const std::string& text)
{
    Canvas().TextOut(x, y, text);
}
int TCustomChartPanel::TextHeight(const std::string& text)
{
    return Canvas().TextHeight(text);
}
int TCustomChartPanel::TextWidth(const std::string& text)
{
    return Canvas().TextWidth(text);
}
