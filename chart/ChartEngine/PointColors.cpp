#include "chart/ChartEngine/PointColors.h"

void TPointColors::Insert(std::int32_t index, TColor color)
{
    if (FColors.empty()) {
        if (FCount == 0)
            FUniform = color;
        if (color == FUniform) {
            ++FCount;
            return;
        }
        SpreadOut();
    }
    const auto at = static_cast<std::size_t>(index);
    FColors.insert(FColors.begin() + index, color);
    ++FCount;
    if (at + 1 < FColors.size()) {
        // Inserted before the end: every later run may have changed.
        FRuns.resize(FColors.size());
        for (std::size_t i = at; i < FColors.size(); ++i)
            FRuns[i] = i > 0 && FColors[i] == FColors[i - 1] ? FRuns[i - 1] : static_cast<std::int32_t>(i);
        return;
    }
    FRuns.push_back(index > 0 && FColors[at] == FColors[at - 1] ? FRuns[at - 1] : index);
}

void TPointColors::SpreadOut()
{
    FColors.assign(static_cast<std::size_t>(FCount), FUniform);
    FRuns.assign(static_cast<std::size_t>(FCount), 0);
}

void TPointColors::Clear()
{
    FCount = 0;
    FColors = {};
    FRuns = {};
}
