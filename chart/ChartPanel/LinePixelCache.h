#pragma once
// The pixels of a one-pixel line as offsets from its start, in the order ForEachLinePixel sets
// them: a chart's sloped lines recur with the same few vectors (a 3D ribbon's depth edges, the
// steps between neighbouring columns), so each vector is walked once per thread.
#include <QPoint>
#include <vector>

// The pixels of the line from (0, 0) to (dx, dy), end pixel left out. Valid until the next call.
const std::vector<QPoint>& LinePixelOffsets(int dx, int dy);
