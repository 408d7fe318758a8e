// Ribbons composed column by column against the same ribbons filled and outlined one by one.
#include "chart/Series/RibbonColumns.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace {

using TRibbons = std::vector<std::pair<std::int32_t, std::int32_t>>;

enum class TClip { None, Rect, Polygon };

// Ribbons of one column as a run of points gives them: each from a point's row to the next.
TRibbons MakeRibbons(std::mt19937& random, int height)
{
    std::uniform_int_distribution<int> count(1, 40);
    std::uniform_int_distribution<int> row(-20, height + 20);
    std::uniform_int_distribution<int> step(-12, 12);
    TRibbons ribbons;
    int to = row(random);
    for (int n = count(random); n > 0; --n) {
        const int from = random() % 4 == 0 ? row(random) : to;
        to = from + step(random);
        if (from != to)
            ribbons.emplace_back(from, to);
    }
    return ribbons;
}

QImage Paint(const TRibbons& ribbons, int x, int w, int h, TClip clip, bool composed, bool& composedAll)
{
    QImage image(60, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    TChartCanvas canvas(&image);
    if (clip == TClip::Rect)
        canvas.ClipRectangle({5, 8, 50, 80});
    if (clip == TClip::Polygon) {
        const std::array<TPoint, 6> box = {{{4, 85}, {4, 20}, {20, 6}, {58, 6}, {58, 60}, {40, 85}}};
        canvas.ClipPolygon(box);
    }
    constexpr TColor kFill = 0x2080F0;
    if (composed) {
        TRibbonColumns columns(canvas, w, h);
        composedAll = columns.Paint(x, ribbons, kFill, clBlack) && composedAll;
        return image;
    }
    canvas.Brush = {kFill, bsSolid};
    canvas.Pen = {clBlack, 1, psSolid, pmCopy};
    for (const auto& [from, to] : ribbons) {
        const std::array<TPoint, 4> quad = {{{x, to}, {x, from}, {x + w, from - h}, {x + w, to - h}}};
        canvas.Polygon(quad);
    }
    return image;
}

TEST(RibbonColumns, UnionMatchesTheRibbonsDrawnOneByOne)
{
    std::mt19937 random(7);
    constexpr int kCases = 3000;
    for (int i = 0; i < kCases; ++i) {
        const TRibbons ribbons = MakeRibbons(random, 90);
        const int w = 1 + static_cast<int>(random() % 9);
        const int h = 1 + static_cast<int>(random() % 12);
        const int x = static_cast<int>(random() % 70) - 8;
        const auto clip = static_cast<TClip>(random() % 3);
        bool composedAll = true;
        const QImage composed = Paint(ribbons, x, w, h, clip, true, composedAll);
        bool unused = true;
        const QImage reference = Paint(ribbons, x, w, h, clip, false, unused);
        ASSERT_TRUE(composedAll) << "case " << i;
        int differing = 0;
        for (int y = 0; y < reference.height(); ++y)
            for (int px = 0; px < reference.width(); ++px)
                differing += composed.pixel(px, y) != reference.pixel(px, y);
        ASSERT_EQ(differing, 0) << "case " << i << ", " << ribbons.size() << " ribbons " << w << " x " << h << " at "
                                << x << ", clip " << static_cast<int>(clip);
    }
}

}  // namespace
