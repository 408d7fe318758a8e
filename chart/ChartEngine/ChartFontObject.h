#pragma once
// Base of the chart parts that own a font (axes, titles, legend): a change of the font
// repaints the owner chart.
#include "chart/ChartPanel/ChartFont.h"

class TCustomAxisPanel;

class TChartFontObject {
public:
    explicit TChartFontObject(TCustomAxisPanel* chart);
    virtual ~TChartFontObject() = default;
    TChartFontObject(const TChartFontObject&) = delete;
    TChartFontObject& operator=(const TChartFontObject&) = delete;

    TCustomAxisPanel* ParentChart() const { return FParentChart; }
    TChartFont& Font() { return FFont; }
    const TChartFont& Font() const { return FFont; }

    virtual void Assign(const TChartFontObject& source) { FFont.Assign(source.FFont); }

protected:
    // Tells the owner chart to repaint (no-op without an owner).
    void Repaint();

private:
    TCustomAxisPanel* FParentChart;
    TChartFont FFont;
};
