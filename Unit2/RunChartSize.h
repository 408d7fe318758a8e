#pragma once
// The size of the run's chart: the client area the chart window's outer 535 x 334 leaves, at
// design resolution.

inline constexpr int kRunChartWidth = 527;
inline constexpr int kRunChartHeight = 307;
