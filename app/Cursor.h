#pragma once
// Cursor identifiers of the toolkit, shared by the screen-wide cursor and by
// controls that set their own. Plain C++: the chart engine uses them too.
#include <cstdint>

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
