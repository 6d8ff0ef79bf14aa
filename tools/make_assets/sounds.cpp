// The spray sounds: seeded noise under a gain envelope, the WAVE writer
// (PCM mono 44100 Hz 16-bit, canonical 44-byte header) and the level checks.

#include <algorithm>
#include <cstdlib>

#include "make_assets.h"
#include "xorshift.h"

namespace {

constexpr int kRate = 44100;
constexpr int kNoisePeak = 2070;   // uniform in [-2070, 2070]: RMS about 1195

}  // namespace

Bytes wavFile(const std::vector<std::int16_t>& s) {
    const std::uint32_t data = static_cast<std::uint32_t>(s.size() * 2);
    Bytes f;
    putTag(f, "RIFF"); put32(f, 36 + data); putTag(f, "WAVE");
    putTag(f, "fmt "); put32(f, 16);
    put16(f, 1); put16(f, 1); put32(f, kRate); put32(f, kRate * 2); put16(f, 2); put16(f, 16);
    putTag(f, "data"); put32(f, data);
    for (std::int16_t v : s) put16(f, static_cast<std::uint16_t>(v));
    return f;
}

// Noise scaled by a gain in 1/65536 units.
std::vector<std::int16_t> noise(int count, std::uint32_t seed, std::int64_t (*gain)(int n, int count)) {
    XorShift32 rng = SeedXorShift(seed);
    std::vector<std::int16_t> s(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        const std::int64_t v = UniformRandom(&rng, -kNoisePeak, kNoisePeak);
        s[static_cast<size_t>(n)] = static_cast<std::int16_t>(v * gain(n, count) / 65536);
    }
    return s;
}

std::int64_t steadyGain(int, int) { return 65536; }

// Rises as 1 - (1 - t/T)^2: steep from silence, flat from T = 0.24 s on.
std::int64_t fadeInGain(int n, int) {
    const std::int64_t T = kRate * 24 / 100;
    if (n >= T) return 65536;
    const std::int64_t left = T - n;
    return 65536 - left * left * 65536 / (T * T);
}

// Falls linearly from 7/8 of the hiss level to 1/8 of it.
std::int64_t fadeOutGain(int n, int count) {
    const std::int64_t hi = 65536 * 7 / 8, lo = 65536 / 8;
    return hi - (hi - lo) * n / (count - 1);
}

void checkSound(const std::vector<std::int16_t>& s, const std::string& name) {
    int peak = 0;
    for (std::int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    require(peak <= kNoisePeak, name + ": sample beyond the noise range");
}

// Mean square of a stretch of samples, for the level checks.
std::int64_t meanSquare(const std::vector<std::int16_t>& s, size_t from, size_t to) {
    std::int64_t sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<std::int64_t>(s[i]) * s[i];
    return sum / static_cast<std::int64_t>(to - from);
}
