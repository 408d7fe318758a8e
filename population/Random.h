#pragma once
// The process-wide pseudo-random source: a 32-bit linear congruential generator
// whose every step and both draws are fixed bit for bit, so that runs repeat exactly.
#include <cstdint>

extern uint32_t RandSeed;

inline constexpr uint32_t kRandMultiplier = 134775813u;  // 0x08088405

// One generator step; the fast population paths use it to draw without a call.
constexpr uint32_t NextSeed(uint32_t seed)
{
    return seed * kRandMultiplier + 1u;
}

// k generator steps folded into one multiply-add, so that draws a few steps apart can
// be computed side by side instead of one after the other.
struct TSeedJump {
    uint32_t Multiplier = 1;
    uint32_t Increment = 0;

    constexpr uint32_t operator()(uint32_t seed) const { return seed * Multiplier + Increment; }
};

constexpr TSeedJump SeedJump(int steps)
{
    TSeedJump jump;
    for (int i = 0; i < steps; ++i)
        jump = {jump.Multiplier * kRandMultiplier, jump.Increment * kRandMultiplier + 1u};
    return jump;
}

// Integer draw in 0 .. n-1 (0 when n is 0) from an already stepped seed.
constexpr uint32_t ScaleSeed(uint32_t seed, uint32_t n)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
}

// Seeds from the clock: milliseconds since midnight UTC.
void Randomize();

// Advances the generator once; returns 0 .. n-1, or 0 when n is 0.
uint32_t Random(uint32_t n);

// Advances the generator once; returns RandSeed / 2^32, in [0, 1).
long double Random();
