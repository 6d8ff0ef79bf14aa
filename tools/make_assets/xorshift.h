// Pseudo-random numbers (xorshift32): fixed algorithm, fixed seeds, so the
// icon's speckles and the sounds' noise are the same on every machine.
#pragma once

#include <cstdint>

struct XorShift32 {
    std::uint32_t state;  // never 0
};

inline XorShift32 SeedXorShift(std::uint32_t seed)
{
    return XorShift32{seed ? seed : 1u};
}

inline std::uint32_t NextRandom(XorShift32 *rng)
{
    rng->state ^= rng->state << 13;
    rng->state ^= rng->state >> 17;
    rng->state ^= rng->state << 5;
    return rng->state;
}

// Uniform integer in [lo, hi]; rejection sampling keeps it unbiased.
inline int UniformRandom(XorShift32 *rng, int lo, int hi)
{
    const std::uint32_t span = static_cast<std::uint32_t>(hi - lo) + 1u;
    const std::uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % span);
    std::uint32_t r;
    do
        r = NextRandom(rng);
    while (r >= limit);
    return lo + static_cast<int>(r % span);
}
