#pragma once
// A series' points by pixel column. Beyond a few hundred points most consecutive points share
// a column; the points of such a run join by vertical segments (flat) or by ribbon quadrilaterals
// of equal width and slope (3D), which only paint what a few of them paint. Pixel rows of a range
// of points come from the value lists' range extremes, since a value's pixel follows its order.
#include <cstdint>
#include <utility>
#include <vector>

class TChartSeries;

class TSeriesColumns {
public:
    // Ribbons are depthWidth wide and depthHeight deep (none in the flat view).
    TSeriesColumns(TChartSeries& series, std::int32_t depthWidth, std::int32_t depthHeight);

    // Last index of the run from first (at most last) whose drawable points share first's
    // pixel column and stored colour; first when that run has fewer than three points.
    // expected: the likely number of points in the run, tried first.
    std::int32_t RunEnd(std::int32_t first, std::int32_t last, std::int32_t expected) const;
    // Rows top..bottom that the vertical segments joining points first..last of a run paint,
    // each segment leaving out its end pixel; false when they paint none.
    bool LineRows(std::int32_t first, std::int32_t last, std::int32_t& top, std::int32_t& bottom) const;
    // The ribbons (from row, to row) joining points first..last of a run that can still show a
    // pixel, in drawing order. A ribbon lying far enough inside the
    // rows that the ribbons after it span is painted over by them: their fills and outlines
    // cover every pixel it paints. The others are kept, so drawing an extra one is the worst
    // that can happen.
    std::vector<std::pair<std::int32_t, std::int32_t>> VisibleRibbons(std::int32_t first, std::int32_t last) const;

private:
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
};
