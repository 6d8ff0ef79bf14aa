// The three sounds: canonical PCM files, a steady hiss and its fades.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "common/screen.h"
#include "unit/resource_reading.h"

static std::vector<int> Samples(const char *name)
{
    Resource r = FindUsEnglish("WAVE", name);
    std::vector<int> s;
    for (DWORD i = 44; r.data && i + 1 < r.size; i += 2)
        s.push_back((short)U16(r.data + i));
    return s;
}

static double Rms(const std::vector<int> &s, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; i++)
        sum += (double)s[i] * s[i];
    return std::sqrt(sum / (double)(to - from));
}

static const size_t k20ms = 882;  // samples at 44100 Hz

TEST(Sounds, AreCanonicalPcmMono44100HzSixteenBitFiles)
{
    struct Expected {
        const char *name;
        unsigned data;
    };
    for (const Expected &e : {Expected{"IDW_SPRAY", 24728}, Expected{"IDW_FADEIN", 24728},
                              Expected{"IDW_FADEOUT", 15456}}) {
        SCOPED_TRACE(e.name);
        Resource r = FindUsEnglish("WAVE", e.name);
        ASSERT_NE(nullptr, r.data);
        ASSERT_EQ(44 + e.data, r.size);
        const BYTE *p = r.data;
        EXPECT_EQ(0, memcmp(p, "RIFF", 4));
        EXPECT_EQ(36 + e.data, U32(p + 4));
        EXPECT_EQ(0, memcmp(p + 8, "WAVE", 4));
        EXPECT_EQ(0, memcmp(p + 12, "fmt ", 4));
        EXPECT_EQ(16u, U32(p + 16));
        EXPECT_EQ((unsigned)WAVE_FORMAT_PCM, U16(p + 20));
        EXPECT_EQ(1u, U16(p + 22));         // mono
        EXPECT_EQ(44100u, U32(p + 24));
        EXPECT_EQ(88200u, U32(p + 28));     // bytes a second
        EXPECT_EQ(2u, U16(p + 32));         // block align
        EXPECT_EQ(16u, U16(p + 34));
        EXPECT_EQ(0, memcmp(p + 36, "data", 4));
        EXPECT_EQ(e.data, U32(p + 40));
    }
}

TEST(Sounds, TheHissHoldsASteadyLevelAroundRms1180)
{
    std::vector<int> s = Samples("IDW_SPRAY");
    ASSERT_EQ(12364u, s.size());
    const double whole = Rms(s, 0, s.size());
    EXPECT_GT(whole, 1100);
    EXPECT_LT(whole, 1260);
    int peak = 0;
    for (int v : s)
        peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, 2100);
    EXPECT_GE(peak, 1900);  // spread over the whole range, not a quiet noise
    const size_t tenth = s.size() / 10;
    for (size_t i = 0; i < 10; i++) {
        SCOPED_TRACE(i);
        const double part = Rms(s, i * tenth, (i + 1) * tenth);
        EXPECT_GT(part, whole * 0.9);
        EXPECT_LT(part, whole * 1.1);
    }
}

TEST(Sounds, TheHissLoopsWithoutAJumpAtTheSeam)
{
    std::vector<int> s = Samples("IDW_SPRAY");
    ASSERT_EQ(12364u, s.size());
    const double head = Rms(s, 0, k20ms), tail = Rms(s, s.size() - k20ms, s.size());
    EXPECT_GT(tail, head * 0.85);
    EXPECT_LT(tail, head * 1.15);
    int largestStep = 0;
    for (size_t i = 1; i < s.size(); i++)
        largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(std::abs(s.front() - s.back()), largestStep);
}

TEST(Sounds, TheFadeInRisesSteeplyFromSilenceAndLevelsOffAfterAQuarterSecond)
{
    std::vector<int> s = Samples("IDW_FADEIN"), hiss = Samples("IDW_SPRAY");
    ASSERT_EQ(12364u, s.size());
    ASSERT_EQ(12364u, hiss.size());
    const double level = Rms(hiss, 0, hiss.size());
    const double first = Rms(s, 0, k20ms), last = Rms(s, s.size() - k20ms, s.size());
    EXPECT_LT(first, last / 4);
    EXPECT_LT(s[0] * s[0], 100 * 100);  // starts from (near) silence
    // Steep at first: 60..80 ms already near half the level, 120..140 ms above two thirds.
    const double early = Rms(s, 3 * k20ms, 4 * k20ms), middle = Rms(s, 6 * k20ms, 7 * k20ms);
    EXPECT_GT(early, first * 2);
    EXPECT_GT(early, level * 0.35);
    EXPECT_GT(middle, early);
    EXPECT_GT(middle, level * 0.65);
    // Flat from 0.25 s to the end, at the hiss's level.
    const double flat = Rms(s, 11025, s.size());
    EXPECT_GT(flat, level * 0.9);
    EXPECT_LT(flat, level * 1.1);
    int peak = 0;
    for (int v : s)
        peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, 2100);
}

TEST(Sounds, TheFadeOutFallsFromJustBelowTheHissToAboutAnEighth)
{
    std::vector<int> s = Samples("IDW_FADEOUT"), hiss = Samples("IDW_SPRAY");
    ASSERT_EQ(7728u, s.size());
    ASSERT_EQ(12364u, hiss.size());
    const double level = Rms(hiss, 0, hiss.size());
    const double first = Rms(s, 0, k20ms), half = Rms(s, 3864 - k20ms / 2, 3864 + k20ms / 2);
    const double last = Rms(s, s.size() - k20ms / 2, s.size());  // the final 10 ms
    EXPECT_GT(first, level * 0.75);
    EXPECT_LT(first, level * 1.0);
    EXPECT_LT(half, first);
    EXPECT_GT(half, last);
    EXPECT_GT(last, level * 0.09);
    EXPECT_LT(last, level * 0.2);
    int peak = 0;
    for (int v : s)
        peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, 2100);
}
