#pragma once
// Value marks of a series. Hidden throughout this program; only the settings exist.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>

class TSeriesMarks {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { SetAndRepaint(FVisible, value, OnChange); }
    std::int32_t ArrowLength() const { return FArrowLength; }
    void SetArrowLength(std::int32_t value) { SetAndRepaint(FArrowLength, value, OnChange); }
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value) { SetAndRepaint(FBackColor, value, OnChange); }

    std::function<void()> OnChange;

private:
    bool FVisible = false;
    std::int32_t FArrowLength = 8;
    TColor FBackColor = 0x80FFFF;
};
