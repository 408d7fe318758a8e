#pragma once
// State of one mouse drag over the chart (one record for zooming, one for scrolling).
#include <cstdint>

class TZoomPanningRecord {
public:
    void Activate(std::int32_t x, std::int32_t y)
    {
        X0 = X1 = x;
        Y0 = Y1 = y;
        Active = true;
    }

    bool Active = false;
    std::int32_t X0 = 0;
    std::int32_t Y0 = 0;
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
};
