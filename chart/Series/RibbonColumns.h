#pragma once
// The ribbons a run of points in one pixel column keeps, painted as their union: each ribbon's
// fill and outline are laid into a small map of the column's pixels, in drawing order, and the
// map is written into the picture once, row by row, instead of every ribbon on its own.
#include "chart/ChartPanel/ChartCanvas.h"

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class TRibbonColumns {
public:
    // Ribbons depthWidth wide and depthHeight deep, drawn on canvas.
    TRibbonColumns(TChartCanvas& canvas, std::int32_t depthWidth, std::int32_t depthHeight);

    // Paints the ribbons (from row, to row) at column x, in drawing order, as Polygon would
    // paint them one after the other with a solid fill and a solid one-pixel copy-mode pen.
    // False, with nothing painted, where the canvas cannot give a ribbon's pixels: then they
    // must be drawn one by one.
    bool Paint(std::int32_t x, std::span<const std::pair<std::int32_t, std::int32_t>> ribbons, TColor fill,
               TColor outline);

private:
    using TPixels = TChartCanvas::TPolygonPixels;
    // The pixels of a ribbon from a row `rows` below its end.
    const TPixels* Pixels(std::int32_t rows);

    TChartCanvas& FCanvas;
    std::int32_t FWidth;
    std::int32_t FHeight;
    // Shapes by their rows, the nearest ones in a table, the others looked up.
    static constexpr std::int32_t kNear = 256;
    std::vector<std::shared_ptr<const TPixels>> FNear;
    std::vector<std::pair<std::int32_t, std::shared_ptr<const TPixels>>> FFar;
    // What the ribbons leave in each pixel of the column's rows: 0 nothing, 1 fill, 2 outline.
    std::vector<std::uint8_t> FMap;
};
