#pragma once
// The pens of an axis, each with its own defaults.
#include "chart/ChartPanel/ChartPen.h"

// The axis line: black, 2 pixels.
class TChartAxisPen : public TChartPen {
public:
    TChartAxisPen() { SetWidth(2); }
};

// Outer, inner and minor ticks: grey, 1 pixel.
class TChartTickPen : public TChartPen {
public:
    TChartTickPen() { SetColor(clGray); }
};

// Grid lines: grey, dotted.
class TChartGridPen : public TChartPen {
public:
    TChartGridPen()
    {
        SetColor(clGray);
        SetStyle(psDot);
    }
};
