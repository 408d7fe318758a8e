#pragma once
// Power-of-ten scaling in extended precision, shared by both float conversions.

// x multiplied (n > 0) or divided (n < 0) by 10^|n|, in turn by the factors
// 10^(|n| mod 32), 10^(32 * ((|n| div 32) mod 16)) and 10^(512 * (|n| div 512)),
// each the extended value nearest to the exact power and each step rounded.
long double ScalePowerOfTen(long double x, int n);
