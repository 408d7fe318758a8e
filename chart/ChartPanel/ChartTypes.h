#pragma once
// Plain value types shared by the whole chart engine: colours, rectangles, points, MulDiv.
#include "base/MulDiv.h"

#include <cstdint>
#include <functional>
#include <type_traits>

// 0x00BBGGRR, red in the low byte. System colours carry their index in the low byte
// under clSystemColor and are resolved by ColorToRGB.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

// No colour of its own: a brush with it is transparent, a pen takes an automatic colour.
inline constexpr TColor clChartDefault = 0x80000000;
// As a point colour: a null point that is not drawn.
inline constexpr TColor clNone = 0x1FFFFFFF;

// Plain RGB for any colour; system colours map to the classic desktop scheme.
TColor ColorToRGB(TColor color);

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and bottom edges are excluded when filled or outlined.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The setter rule of every chart part: stores value in field only when it differs, then calls
// changed (the owner's repaint or invalidate; an unset change callback is skipped).
template <typename T, typename TChanged>
void SetAndRepaint(T& field, const T& value, const TChanged& changed)
{
    if (field == value)
        return;
    field = value;
    if constexpr (std::is_same_v<TChanged, std::function<void()>>) {
        if (!changed)
            return;
    }
    changed();
}

// Intersection of two rectangles; false (and an all-zero result) when it is empty.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TPenMode : std::uint8_t { pmCopy, pmNotXor };
enum TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TBackgroundMode : std::uint8_t { bmTransparent, bmOpaque };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// Text alignment flags of the canvas, combined with |: one horizontal, one vertical.
inline constexpr int TA_LEFT = 0;
inline constexpr int TA_RIGHT = 2;
inline constexpr int TA_CENTER = 6;
inline constexpr int TA_TOP = 0;
inline constexpr int TA_BOTTOM = 8;
