#pragma once
// The plain line series: a joined line with hidden markers.
#include "chart/Series/CustomSeries.h"

class TLineSeries : public TCustomSeries {
public:
    TLineSeries();
};
