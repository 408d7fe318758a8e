#include "chart/Series/RibbonColumns.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

TRibbonColumns::TRibbonColumns(TChartCanvas& canvas, std::int32_t depthWidth, std::int32_t depthHeight)
    : FCanvas(canvas), FWidth(depthWidth), FHeight(depthHeight), FNear(2 * kNear + 1)
{
}

const TRibbonColumns::TPixels* TRibbonColumns::Pixels(std::int32_t rows)
{
    std::shared_ptr<const TPixels>* slot = nullptr;
    if (rows >= -kNear && rows <= kNear) {
        slot = &FNear[static_cast<std::size_t>(rows + kNear)];
    } else {
        auto found = std::find_if(FFar.begin(), FFar.end(), [rows](const auto& far) { return far.first == rows; });
        if (found == FFar.end())
            found = FFar.insert(FFar.end(), {rows, nullptr});
        slot = &found->second;
    }
    if (*slot == nullptr) {
        // The ribbon's corners as it is drawn: end, start, and both moved back by the depth.
        const std::array<TPoint, 4> quad = {{{0, 0}, {0, rows}, {FWidth, rows - FHeight}, {FWidth, -FHeight}}};
        *slot = FCanvas.PolygonPixels(quad);
    }
    return slot->get();
}

bool TRibbonColumns::Paint(std::int32_t x, std::span<const std::pair<std::int32_t, std::int32_t>> ribbons, TColor fill,
                           TColor outline)
{
    // The rows and columns the ribbons reach, relative to x.
    std::int32_t top = INT_MAX;
    std::int32_t bottom = INT_MIN;
    std::int32_t left = 0;
    std::int32_t right = 0;
    for (const auto& [from, to] : ribbons) {
        const TPixels* pixels = Pixels(from - to);
        if (pixels == nullptr)
            return false;
        if (pixels->Pieces.empty())
            continue;
        top = std::min(top, to + pixels->Top);
        bottom = std::max(bottom, to + pixels->Bottom);
        left = std::min(left, pixels->Left);
        right = std::max(right, pixels->Right);
    }
    if (top >= bottom)
        return true;
    const auto width = static_cast<std::size_t>(right - left);
    FMap.assign(width * static_cast<std::size_t>(bottom - top), 0);
    for (const auto& [from, to] : ribbons) {
        for (const TChartCanvas::TPolygonPiece& piece : Pixels(from - to)->Pieces) {
            std::uint8_t* row = FMap.data() + static_cast<std::size_t>(to + piece.Row - top) * width;
            std::memset(row + (piece.Left - left), piece.Outline ? 2 : 1,
                        static_cast<std::size_t>(piece.Right - piece.Left));
        }
    }
    const std::array<QRgb, 3> colours = {0, ToQRgb(fill), ToQRgb(outline)};
    const auto columns = static_cast<std::int32_t>(width);
    for (std::int32_t y = top; y < bottom; ++y) {
        const std::uint8_t* row = FMap.data() + static_cast<std::size_t>(y - top) * width;
        for (std::int32_t c = 0; c < columns;) {
            const std::uint8_t kind = row[c];
            const std::int32_t start = c;
            while (c < columns && row[c] == kind)
                ++c;
            if (kind != 0)
                FCanvas.RowRun(y, x + left + start, x + left + c, colours[kind]);
        }
    }
    return true;
}
