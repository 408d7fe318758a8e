#pragma once
// The labels a series' points were added with. Points without one cost nothing while no
// point has one; the first label spreads them out, one entry per point.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TPointLabels {
public:
    std::int32_t Count() const { return FCount; }
    // Null for a point added with an empty label (0 <= index < Count).
    const std::optional<std::string>& At(std::int32_t index) const;
    void Insert(std::int32_t index, const std::string& label);
    void Clear();

private:
    std::int32_t FCount = 0;
    // Empty while no point has a label.
    std::vector<std::optional<std::string>> FLabels;
};
