#pragma once
// The straightforward line series drawing that the column drawing must match pixel for pixel:
// the visible points found by walking from the first one, every segment and ribbon drawn one
// by one.
#include "chart/Series/LineSeries.h"

class TReferenceLineSeries : public TLineSeries {
public:
    void CalcFirstLastVisibleIndex() override { ScanFirstLastVisibleIndex(); }
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): skips TCustomSeries's column drawing on purpose.
    void DrawAllValues() override { TChartSeries::DrawAllValues(); }
};
