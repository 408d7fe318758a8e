#pragma once
// The windows are designed at 120 pixels per inch; positions, sizes and font heights are scaled
// from there to the screen's resolution.

inline constexpr int kDesignPixelsPerInch = 120;

// `designValue` at `pixelsPerInch`, rounded as the window system's MulDiv rounds.
int ScaledFromDesign(int designValue, int pixelsPerInch);
