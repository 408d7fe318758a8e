#include "chart/ChartPanel/LinePixelCache.h"

#include "chart/ChartPanel/LinePixels.h"

#include <array>
#include <cstdint>

const std::vector<QPoint>& LinePixelOffsets(int dx, int dy)
{
    struct TSlot {
        int Dx = 0;
        int Dy = 0;
        bool Known = false;
        std::vector<QPoint> Pixels;
    };
    // Direct-mapped: a vector that meets another in its slot is walked again, which is cheap.
    constexpr int kSlotBits = 8;
    thread_local std::array<TSlot, std::size_t{1} << kSlotBits> cache;
    const auto key = static_cast<std::uint64_t>(static_cast<std::uint32_t>(dx)) << 32 | static_cast<std::uint32_t>(dy);
    TSlot& slot = cache[(key * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
    if (slot.Known && slot.Dx == dx && slot.Dy == dy)
        return slot.Pixels;
    slot.Dx = dx;
    slot.Dy = dy;
    slot.Known = true;
    slot.Pixels.clear();
    ForEachLinePixel(0, 0, dx, dy, [&](int x, int y) { slot.Pixels.emplace_back(x, y); });
    return slot.Pixels;
}
