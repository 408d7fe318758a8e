#pragma once
// The data-aware chart control. No series of this program has a data source, so these
// settings change nothing in painting or data handling.
#include "chart/Chart/CustomChart.h"

#include <cstdint>

class TCustomDataChart : public TCustomChart {
public:
    bool AutoRefresh = true;
    // Above 0 a refresh timer would re-read the data sources; 0 means none.
    std::int32_t RefreshInterval = 0;
    bool ShowGlassCursor = true;
};

class TDataChart : public TCustomDataChart {};
