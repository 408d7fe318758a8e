#pragma once
// Test surface: draws like the real canvas and records every drawing call with the pen,
// brush and font colour in effect, so geometry can be checked exactly.
#include "chart/ChartPanel/ChartCanvas.h"

#include <string>
#include <vector>

struct TDrawCall {
    std::string Op;
    std::vector<int> Args;
    std::string Text;
    TCanvasPen Pen;
    TCanvasBrush Brush;
    TColor FontColor = clBlack;
};

class TRecordingCanvas : public TChartCanvas {
public:
    TRecordingCanvas(QPaintDevice* device, std::vector<TDrawCall>& calls) : TChartCanvas(device), FCalls(calls) {}

    void TextOut(int x, int y, const std::string& text) override;
    void RotateLabel(int x, int y, const std::string& text, double angle) override;
    void Rectangle(const TRect& r) override;
    void FillRect(const TRect& r) override;
    void Polygon(std::span<const TPoint> points) override;
    void Line(int x0, int y0, int x1, int y1) override;
    void ClipRectangle(const TRect& r) override;
    void ClipPolygon(std::span<const TPoint> points) override;
    void UnClip() override;
    void Draw(int x, int y, const QImage& image) override;

private:
    void Record(std::string op, std::vector<int> args, std::string text = {});

    std::vector<TDrawCall>& FCalls;
};

// The calls with the given operation name, in order.
std::vector<TDrawCall> CallsOf(const std::vector<TDrawCall>& calls, const std::string& op);
