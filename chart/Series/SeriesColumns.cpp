#include "chart/Series/SeriesColumns.h"

#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/ChartValueList.h"
#include "chart/ChartEngine/ValueBlocks.h"
#include "chart/ChartPanel/LinePixels.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

bool Drawable(std::int32_t v)
{
    return v > -32767 && v < 32767;
}

// Largest index in [known, limit] for which holds(index) is true, holds being true at known
// and, once false, false for every later index: doubling steps, then halving.
template <typename THolds>
std::int32_t LastHolding(std::int32_t known, std::int32_t limit, THolds holds)
{
    std::int32_t step = 1;
    while (known + step <= limit && holds(known + step)) {
        known += step;
        step *= 2;
    }
    std::int32_t beyond = std::min(known + step, limit + 1);
    while (beyond - known > 1) {
        const std::int32_t mid = known + (beyond - known) / 2;
        if (holds(mid))
            known = mid;
        else
            beyond = mid;
    }
    return known;
}

// The line from (0, 0) to (dx, dy) sets the same pixels as the one back, end pixels included.
bool SameBothWays(std::int32_t dx, std::int32_t dy)
{
    std::vector<std::pair<int, int>> forth = {{dx, dy}};
    std::vector<std::pair<int, int>> back = {{0, 0}};
    ForEachLinePixel(0, 0, dx, dy, [&](int x, int y) { forth.emplace_back(x, y); });
    ForEachLinePixel(dx, dy, 0, 0, [&](int x, int y) { back.emplace_back(x, y); });
    std::sort(forth.begin(), forth.end());
    std::sort(back.begin(), back.end());
    return forth == back;
}

// Values from Low to High; empty while Low is above High.
struct TValueInterval {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    bool Holds(double v) const { return v >= Low && v <= High; }
    void Add(double v)
    {
        Low = std::min(Low, v);
        High = std::max(High, v);
    }
};

}  // namespace

TSeriesColumns::TSeriesColumns(TChartSeries& series, std::int32_t depthWidth, std::int32_t depthHeight)
    : FSeries(series)
{
    if (depthWidth <= 0 || depthHeight <= 0)
        return;
    // Rows of the ribbon's corners against the span [spanLow, spanHigh] of the later ribbons.
    // Outline pixels lie within half a pixel of the edges (half the slope, for edges steeper
    // than 45 degrees), and a fill pixel's centre is half a pixel right of and below its
    // corner: a ribbon's pixels are those of the later ribbons when its rows lie from a pixel
    // (half the slope) below the top to more than half a pixel and the slope above the bottom.
    // An edge on the span's own top or bottom row is the later ribbon's edge, pixel for pixel,
    // as long as the edge's pixels do not depend on the direction it is drawn in.
    FTopMargin = std::max(1, (depthHeight + 2 * depthWidth - 1) / (2 * depthWidth));
    FBottomMargin = std::max(2, (2 * depthHeight + depthWidth) / (2 * depthWidth) + 1);
    FSharedEdges = SameBothWays(depthWidth, -depthHeight);
}

std::int32_t TSeriesColumns::Row(double value) const
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    TRowEntry& entry = FRows[(bits * 0x9E3779B97F4A7C15u) >> (64 - kRowSlotBits)];
    if (!entry.Known || entry.Bits != bits)
        entry = {bits, FSeries.CalcYPosValue(value), true};
    return entry.Row;
}

bool TSeriesColumns::Rows(std::int32_t first, std::int32_t last, std::int32_t& low, std::int32_t& high) const
{
    double vLow = 0;
    double vHigh = 0;
    if (!FSeries.YValues().RangeMinMax(first, last, vLow, vHigh))
        return false;
    const std::int32_t a = Row(vLow);
    const std::int32_t b = Row(vHigh);
    low = std::min(a, b);
    high = std::max(a, b);
    return true;
}

bool TSeriesColumns::AllOnRow(std::int32_t first, std::int32_t last, std::int32_t row) const
{
    std::int32_t low = 0;
    std::int32_t high = 0;
    return Rows(first, last, low, high) && low == row && high == row;
}

TSeriesColumns::TRun TSeriesColumns::Run(std::int32_t first, std::int32_t last, std::int32_t expected) const
{
    constexpr std::int32_t kShortest = 3;
    TRun none;
    none.First = none.Last = first;
    if (last - first + 1 < kShortest)
        return none;
    const std::int32_t x = FSeries.CalcXPos(first);
    if (!Drawable(x) || FSeries.ValueColor(first) == clNone)
        return none;
    const TChartSeries& series = FSeries;
    const auto sameColumn = [&](std::int32_t i) { return FSeries.CalcXPos(i) == x; };
    // Neighbouring columns hold about as many points: the expected end is tried first.
    TRun run = none;
    std::int32_t limit = last;
    if (const std::int32_t guess = first + expected - 1; guess >= first + kShortest - 1 && guess <= last) {
        if (sameColumn(guess)) {
            run.Last = guess;
        } else {
            // Back from the guess by doubling steps to a point in the column; the end lies
            // between it and the last point found beyond.
            std::int32_t beyond = guess;
            for (std::int32_t step = 1; beyond - step > first; step *= 2) {
                if (sameColumn(beyond - step)) {
                    run.Last = beyond - step;
                    break;
                }
                beyond -= step;
            }
            limit = beyond - 1;
        }
    } else if (!sameColumn(first + kShortest - 1)) {
        return none;
    }
    run.Last = LastHolding(run.Last, limit, sameColumn);
    if (series.ColorRunStart(run.Last) > first)
        run.Last = LastHolding(first, run.Last, [&](std::int32_t i) { return series.ColorRunStart(i) <= first; });
    if (run.Last - first + 1 < kShortest || !Rows(first, run.Last, run.Low, run.High) || !Drawable(run.Low) ||
        !Drawable(run.High))
        return none;
    return run;
}

std::int32_t TSeriesColumns::TrailStart(std::int32_t first, std::int32_t last, std::int32_t row) const
{
    // Walks backwards: index last - k holds while points last - k..last all lie on the row.
    const std::int32_t k =
        LastHolding(0, last - first, [&](std::int32_t back) { return AllOnRow(last - back, last, row); });
    return last - k;
}

bool TSeriesColumns::LineRows(const TRun& run, std::int32_t lastRow, std::int32_t& top, std::int32_t& bottom) const
{
    top = run.Low;
    bottom = run.High;
    if (top == bottom)
        return false;
    const std::int32_t end = lastRow;
    if (end != top && end != bottom)
        return true;
    // The last point's row is an extreme: it is painted only when a segment starts there,
    // i.e. when an earlier point, before the points that end on it, lies on it too.
    const std::int32_t trail = TrailStart(run.First, run.Last, end);
    std::int32_t low = 0;
    std::int32_t high = 0;
    Rows(run.First, trail - 1, low, high);
    if (end < low || end > high) {
        if (end == bottom)
            --bottom;
        else
            ++top;
    }
    return true;
}

const std::vector<std::pair<std::int32_t, std::int32_t>>& TSeriesColumns::VisibleRibbons(const TRun& run,
                                                                                         std::int32_t lastRow) const
{
    const std::int32_t first = run.First;
    const std::int32_t last = run.Last;
    const TChartValueList& values = FSeries.YValues();
    // Read directly: the walk reads nearly every value it does not pass over in blocks.
    const double* stored = values.Stored().data();
    const double multiplier = values.Multiplier();
    const auto value = [&](std::int32_t i) { return stored[i] * multiplier; };
    std::vector<std::pair<std::int32_t, std::int32_t>>& kept = FKept;
    kept.clear();
    // Walks back from the last ribbon. Rows spanned by the ribbons after the current one:
    std::int32_t spanLow = lastRow;
    std::int32_t spanHigh = spanLow;
    // Rows far enough inside stay so as the span grows; a row on the span's edge does not.
    const std::int32_t topMargin = FTopMargin;
    const std::int32_t bottomMargin = FBottomMargin;
    const bool sharedEdges = FSharedEdges;
    std::int32_t deepTop = spanLow + topMargin;
    std::int32_t deepBottom = spanHigh - bottomMargin;
    const auto inside = [&](std::int32_t row) {
        return (row >= deepTop || (sharedEdges && row == spanLow)) &&
               (row <= deepBottom || (sharedEdges && row == spanHigh));
    };
    // A row's value follows its order, so every value between two values known to lie on rows
    // of one unbroken stretch of inside rows lies there too, and is passed over unmapped. The
    // deep rows stay inside as the span grows, and so does the top row, one row above them,
    // while it is shared; the top row further above and the bottom row, two or more rows below
    // the deep ones, stay inside only while the span keeps that edge.
    const bool topJoinsDeep = sharedEdges && topMargin == 1;
    TValueInterval deepValues;
    TValueInterval topValues;
    TValueInterval bottomValues;
    const auto learn = [&](double v, std::int32_t row) {
        if (row >= (topJoinsDeep ? spanLow : deepTop) && row <= deepBottom)
            deepValues.Add(v);
        else if (sharedEdges && row == spanHigh && row >= deepTop)
            bottomValues.Add(v);
        else if (sharedEdges && row == spanLow && row <= deepBottom)
            topValues.Add(v);
    };
    const auto known = [&](double v) { return deepValues.Holds(v) || bottomValues.Holds(v) || topValues.Holds(v); };
    // Whether every value of a block is known inside, mapping its extremes if need be: its
    // smallest and largest values, and the values between them within one stretch.
    const auto allInside = [&](const TValueExtremes& e) {
        const bool inner = e.InnerLow <= e.InnerHigh;
        for (const double v : {e.Low, e.High, e.InnerLow, e.InnerHigh}) {
            if ((inner || v == e.Low || v == e.High) && !known(v))
                learn(v, Row(v));
        }
        const auto holdsInner = [&](const TValueInterval& interval) {
            return interval.Holds(e.InnerLow) && interval.Holds(e.InnerHigh);
        };
        return known(e.Low) && known(e.High) &&
               (e.InnerLow > e.InnerHigh || holdsInner(deepValues) || holdsInner(bottomValues) ||
                holdsInner(topValues));
    };
    // The point the current ribbon ends in (its row mapped only when needed), and whether that
    // row lies inside the span.
    std::int32_t j = last;
    std::int32_t toRow = spanLow;
    bool toRowKnown = true;
    bool toInside = inside(spanLow);
    // Once the span reaches the run's own rows it grows no more: then every earlier point may
    // lie inside, which one look at their extremes tells.
    bool restTried = false;
    while (j > first) {
        if (toInside && !restTried && spanLow == run.Low && spanHigh == run.High) {
            restTried = true;
            if (TValueExtremes rest; values.RangeExtremes(first, j - 1, rest) && allInside(rest))
                break;
        }
        if (toInside) {
            // Whole blocks of points inside the span hide their ribbons and leave the span as it
            // is; so do points whose values are known inside, up to the next block's end. A
            // coarse block's end is a fine block's end too.
            const std::int32_t start = j;
            for (const std::int32_t size : {TValueBlocks::kCoarse, TValueBlocks::kFine}) {
                TValueExtremes extremes;
                if (j % size == 0 && j - size >= first && values.RangeExtremes(j - size, j - 1, extremes) &&
                    allInside(extremes)) {
                    j -= size;
                    break;
                }
            }
            while (j == start || j % TValueBlocks::kFine != 0) {
                if (j == first || !known(value(j - 1)))
                    break;
                --j;
            }
            if (j != start) {
                toRowKnown = false;
                continue;
            }
        }
        const double fromValue = value(j - 1);
        const std::int32_t from = Row(fromValue);
        const bool fromInside = inside(from);
        // Points on one pixel draw no ribbon.
        if (!(fromInside && toInside)) {
            const std::int32_t to = toRowKnown ? toRow : Row(value(j));
            if (from != to)
                kept.emplace_back(from, to);
        }
        if (from < spanLow) {
            spanLow = from;
            deepTop = spanLow + topMargin;
            topValues = {};
        } else if (from > spanHigh) {
            spanHigh = from;
            deepBottom = spanHigh - bottomMargin;
            bottomValues = {};
        }
        learn(fromValue, from);
        toInside = inside(from);
        toRow = from;
        toRowKnown = true;
        --j;
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}
