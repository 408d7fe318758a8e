#pragma once
// Mouse buttons and held keys as the chart receives them from its host.
#include <cstdint>

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event, combined with |.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;
