#pragma once
// Test chart for zooming and scrolling: the chart window's layout (flat, legend below, one
// empty title line) with two line series, painted into a window image the way the host does.
#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/Series/LineSeries.h"

#include <QImage>
#include <array>

class TZoomTestChart : public TDataChart {
public:
    TZoomTestChart() : Window(527, 307, QImage::Format_RGB32)
    {
        SetBounds(0, 0, 527, 307);
        SetBackColor(0x39C9FF);
        Title().SetText({""});
        Legend()->SetAlignment(laBottom);
        SetView3D(false);
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            Lines[i].SetTitle(i == 0 ? "Lebend" : "GC");
            Lines[i].SetSeriesColor(i == 0 ? clRed : clBlue);
            Lines[i].SetParentChart(this);
        }
        // 0..40 rising to 100, and a flat line at 30: ranges 0..40 and 0..100.
        for (int x = 0; x <= 40; ++x) {
            Lines[0].Add(x * 2.5);
            Lines[1].Add(30);
        }
        // Drawing between paints lands in Window, as on a real host.
        OnDrawOnWindow = [this](const std::function<void(TChartCanvas&)>& draw) {
            TChartCanvas canvas(&Window);
            draw(canvas);
        };
        PaintNow();
    }

    ~TZoomTestChart() override
    {
        for (TLineSeries& s : Lines)
            s.SetParentChart(nullptr);
    }

    // A full paint into the window image.
    void PaintNow()
    {
        TChartCanvas canvas(&Window);
        Invalidate();
        Paint(canvas);
    }

    // Press, one move to the end point, release.
    void Drag(TMouseButton button, TPoint from, TPoint to)
    {
        MouseDown(button, 0, from.X, from.Y);
        MouseMove(0, to.X, to.Y);
        MouseUp(button, 0, to.X, to.Y);
    }

    QImage Window;
    std::array<TLineSeries, 2> Lines;
};
