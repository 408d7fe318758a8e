#pragma once
// Value marks of a series. Hidden throughout this program; only the settings exist.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <functional>

class TSeriesMarks {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { Set(FVisible, value); }
    std::int32_t ArrowLength() const { return FArrowLength; }
    void SetArrowLength(std::int32_t value) { Set(FArrowLength, value); }
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value) { Set(FBackColor, value); }

    std::function<void()> OnChange;

private:
    template <typename T>
    void Set(T& field, T value)
    {
        if (ChangeField(field, value) && OnChange)
            OnChange();
    }

    bool FVisible = false;
    std::int32_t FArrowLength = 8;
    TColor FBackColor = 0x80FFFF;
};
