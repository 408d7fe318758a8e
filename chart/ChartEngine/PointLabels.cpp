#include "chart/ChartEngine/PointLabels.h"

const std::optional<std::string>& TPointLabels::At(std::int32_t index) const
{
    static const std::optional<std::string> kNone;
    return FLabels.empty() ? kNone : FLabels[static_cast<std::size_t>(index)];
}

void TPointLabels::Insert(std::int32_t index, const std::string& label)
{
    ++FCount;
    if (FLabels.empty()) {
        if (label.empty())
            return;
        FLabels.resize(static_cast<std::size_t>(FCount - 1));
    }
    FLabels.insert(FLabels.begin() + index, label.empty() ? std::nullopt : std::optional<std::string>(label));
}

void TPointLabels::Clear()
{
    FCount = 0;
    FLabels = {};
}
