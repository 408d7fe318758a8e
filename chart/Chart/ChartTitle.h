#pragma once
// A block of text lines above (Title) or below (Foot) the chart rectangle.
#include "chart/ChartEngine/ChartFontObject.h"
#include "chart/ChartPanel/ChartBrush.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <string>
#include <vector>

class TChartTitle : public TChartFontObject {
public:
    // Blue "Arial" 8 points, centred, no lines, no frame.
    explicit TChartTitle(TCustomAxisPanel* chart);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value)
    {
        SetAndRepaint(FAlignment, value, [this] { Repaint(); });
    }
    const std::vector<std::string>& Text() const { return FText; }
    // Repaints even when the lines are the same.
    void SetText(std::vector<std::string> lines);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value)
    {
        SetAndRepaint(FVisible, value, [this] { Repaint(); });
    }
    TChartHiddenPen& Frame() { return FFrame; }
    bool AdjustFrame() const { return FAdjustFrame; }
    void SetAdjustFrame(bool value)
    {
        SetAndRepaint(FAdjustFrame, value, [this] { Repaint(); });
    }
    TChartBrush& Brush() { return FBrush; }

    // Computed at every paint.
    TRect TitleRect;

private:
    TAlignment FAlignment = taCenter;
    std::vector<std::string> FText;
    bool FVisible = true;
    TChartHiddenPen FFrame;
    bool FAdjustFrame = true;
    TChartBrush FBrush;
};
