#pragma once
// The chart control: panel background with its gradient, the walls, title and foot.
#include "chart/AxisPanel.h"
#include "chart/ChartGradient.h"
#include "chart/ChartTitle.h"
#include "chart/ChartWall.h"

class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();

    TChartGradient& Gradient() { return FGradient; }
    TChartWall& LeftWall() { return FLeftWall; }
    TChartWall& BottomWall() { return FBottomWall; }
    TChartTitle& Title() { return FTitle; }
    TChartTitle& Foot() { return FFoot; }

    std::int32_t WallSize(const TChartAxis* axis) const override;
    // Draws a title block on the top (Title) or bottom (Foot) side and takes its room from
    // ChartRect.
    void DrawTitle(TChartTitle& title, bool topSide);

protected:
    void FillPanelRect(const TRect& r) override;
    void DrawTitles() override;
    // Left and bottom wall of the box, over the back face (3D view with walls only).
    void DrawWalls() override;

private:
    // Pen and brush of a wall; a wall without colour of its own is transparent.
    void PrepareWall(TChartWall& wall);

    TChartGradient FGradient{this};
    TChartWall FLeftWall{this, 0x80FFFF};
    TChartWall FBottomWall{this, clWhite};
    TChartTitle FTitle{this};
    TChartTitle FFoot{this};
};
