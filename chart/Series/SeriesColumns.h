#pragma once
// A series' points by pixel column. Beyond a few hundred points most consecutive points share
// a column; the points of such a run join by vertical segments (flat) or by ribbon quadrilaterals
// of equal width and slope (3D), which only paint what a few of them paint. Pixel rows of a range
// of points come from the value lists' range extremes, since a value's pixel follows its order.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class TChartSeries;

class TSeriesColumns {
public:
    // Ribbons are depthWidth wide and depthHeight deep (none in the flat view).
    TSeriesColumns(TChartSeries& series, std::int32_t depthWidth, std::int32_t depthHeight);

    // Points First..Last of one pixel column and stored colour, all drawable, with the lowest
    // and highest pixel row they reach.
    struct TRun {
        std::int32_t First = 0;
        std::int32_t Last = 0;
        std::int32_t Low = 0;
        std::int32_t High = 0;
    };
    // The run from first (at most to last); Last is First when it would have fewer than three
    // points. expected: the likely number of points in the run, tried first.
    TRun Run(std::int32_t first, std::int32_t last, std::int32_t expected) const;
    // Rows top..bottom that the vertical segments joining a run's points paint, each segment
    // leaving out its end pixel (lastRow: the row of the run's last point); false for none.
    bool LineRows(const TRun& run, std::int32_t lastRow, std::int32_t& top, std::int32_t& bottom) const;
    // The ribbons (from row, to row) joining a run's points that can still show a pixel, in
    // drawing order (lastRow: the row of the run's last point). A ribbon lying far enough
    // inside the rows that the ribbons after it span is painted over by them: their fills and
    // outlines cover every pixel it paints. The others are kept, so drawing an extra one is the
    // worst that can happen. Valid until the next call.
    const std::vector<std::pair<std::int32_t, std::int32_t>>& VisibleRibbons(const TRun& run,
                                                                             std::int32_t lastRow) const;

private:
    // The series' row of a value, remembered for the values met last: a run's values repeat
    // (counts and rounded percentages are whole numbers), and a mapping costs an
    // extended-precision division and rounding.
    std::int32_t Row(double value) const;
    // Lowest and highest pixel row of points first..last; false with a NaN among them.
    bool Rows(std::int32_t first, std::int32_t last, std::int32_t& low, std::int32_t& high) const;
    bool AllOnRow(std::int32_t first, std::int32_t last, std::int32_t row) const;
    // Smallest index from first on whose points up to last all lie on the row of point last.
    std::int32_t TrailStart(std::int32_t first, std::int32_t last, std::int32_t row) const;

    TChartSeries& FSeries;
    // How far inside the rows of the later ribbons a ribbon's corners must lie to be hidden.
    std::int32_t FTopMargin = 0;
    std::int32_t FBottomMargin = 0;
    // A corner on the later ribbons' top or bottom row hides its edge too.
    bool FSharedEdges = false;
    struct TRowEntry {
        std::uint64_t Bits = 0;
        std::int32_t Row = 0;
        bool Known = false;
    };
    // Slots enough that the hundred or so whole numbers a chart's series take rarely share one.
    static constexpr int kRowSlotBits = 10;
    mutable std::array<TRowEntry, std::size_t{1} << kRowSlotBits> FRows{};
    // VisibleRibbons' result, its storage kept from run to run.
    mutable std::vector<std::pair<std::int32_t, std::int32_t>> FKept;
};
