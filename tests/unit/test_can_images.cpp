// The can images and the cursor mask.
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

struct CanRgb {
    int r, g, b;
};

// A pixel of a packed 32 x 32 24-bit bitmap, (0, 0) at the top left as displayed.
static CanRgb CanPixel(const Resource &can, int x, int y)
{
    const BYTE *p = can.data + 40 + (31 - y) * 96 + x * 3;
    return {p[2], p[1], p[0]};
}

static bool IsBlack(CanRgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
static bool IsPureRed(CanRgb c) { return c.r == 255 && c.g == 0 && c.b == 0; }
static bool IsWhite(CanRgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }

// Whether the cursor mask is opaque (bit 0) at (x, y) as displayed.
static bool MaskOpaque(const Resource &mask, int x, int y)
{
    const BYTE row = mask.data[48 + (31 - y) * 4 + x / 8];
    return ((row >> (7 - x % 8)) & 1) == 0;
}

struct Counts {
    int black, red, white, other;
};

static Counts CountColours(const Resource &can)
{
    Counts n = {0, 0, 0, 0};
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            CanRgb c = CanPixel(can, x, y);
            if (IsBlack(c)) n.black++;
            else if (IsPureRed(c)) n.red++;
            else if (IsWhite(c)) n.white++;
            else n.other++;
        }
    return n;
}

TEST(CanImages, TheDarkCanHolds896Black96RedAnd32WhitePixels)
{
    Resource dark = Bitmap(126);
    ASSERT_NE(nullptr, dark.data);
    Counts n = CountColours(dark);
    EXPECT_EQ(896, n.black);
    EXPECT_EQ(96, n.red);
    EXPECT_EQ(32, n.white);
    EXPECT_EQ(0, n.other);
}

TEST(CanImages, TheLightCanHolds896BlackAnd128RedPixelsAndNoWhite)
{
    Resource light = Bitmap(127);
    ASSERT_NE(nullptr, light.data);
    Counts n = CountColours(light);
    EXPECT_EQ(896, n.black);
    EXPECT_EQ(128, n.red);
    EXPECT_EQ(0, n.white);
    EXPECT_EQ(0, n.other);
}

TEST(CanImages, DifferOnlyWhereTheDarkCanIsWhiteAndTheLightCanRed)
{
    Resource dark = Bitmap(126), light = Bitmap(127);
    ASSERT_NE(nullptr, dark.data);
    ASSERT_NE(nullptr, light.data);
    int differing = 0, unexplained = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            CanRgb d = CanPixel(dark, x, y), l = CanPixel(light, x, y);
            if (d.r == l.r && d.g == l.g && d.b == l.b)
                continue;
            differing++;
            if (!IsWhite(d) || !IsPureRed(l))
                unexplained++;
        }
    EXPECT_EQ(32, differing);
    EXPECT_EQ(0, unexplained);
}

TEST(CanImages, HaveABlackNozzleAndThirtySingleMistDotsInFrontOfIt)
{
    Resource dark = Bitmap(126), mask = Bitmap(117);
    ASSERT_NE(nullptr, dark.data);
    ASSERT_NE(nullptr, mask.data);
    for (int x = 7; x <= 9; x++) {
        EXPECT_TRUE(IsBlack(CanPixel(dark, x, 9))) << x;
        EXPECT_TRUE(MaskOpaque(mask, x, 9)) << x;
    }
    // A mist dot is a red pixel with nothing opaque beside it.
    auto opaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < 32 && y < 32 && MaskOpaque(mask, x, y);
    };
    int dots = 0, misplaced = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            if (!IsPureRed(CanPixel(dark, x, y)) || opaque(x - 1, y) || opaque(x + 1, y) ||
                opaque(x, y - 1) || opaque(x, y + 1))
                continue;
            dots++;
            if (x < 1 || x > 12 || y < 6 || y > 15 || (x + y) % 2)
                misplaced++;
        }
    EXPECT_EQ(30, dots);
    EXPECT_EQ(0, misplaced);
}

TEST(CursorMask, OpaqueAreaIsTheOutlinePlusEveryColouredCanPixel)
{
    Resource mask = Bitmap(117), dark = Bitmap(126), light = Bitmap(127);
    ASSERT_NE(nullptr, mask.data);
    ASSERT_NE(nullptr, dark.data);
    ASSERT_NE(nullptr, light.data);
    int opaque = 0, outline = 0, colouredSeeThrough = 0, outside = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            const bool black = IsBlack(CanPixel(dark, x, y)) && IsBlack(CanPixel(light, x, y));
            if (!MaskOpaque(mask, x, y)) {
                if (!black)
                    colouredSeeThrough++;
                continue;
            }
            opaque++;
            if (black)
                outline++;
            if (x < 1 || x > 26 || y < 6 || y > 28)
                outside++;
        }
    EXPECT_EQ(249, opaque);
    EXPECT_EQ(121, outline);
    EXPECT_EQ(0, colouredSeeThrough);
    EXPECT_EQ(0, outside);
}

TEST(CursorMask, HotSpotIsASeeThroughGapAmidTheMist)
{
    Resource mask = Bitmap(117), dark = Bitmap(126);
    ASSERT_NE(nullptr, mask.data);
    ASSERT_NE(nullptr, dark.data);
    EXPECT_FALSE(MaskOpaque(mask, 6, 9));
    EXPECT_TRUE(IsBlack(CanPixel(dark, 6, 9)));
    EXPECT_TRUE(IsPureRed(CanPixel(dark, 5, 9)));
    EXPECT_TRUE(IsPureRed(CanPixel(dark, 6, 8)));
    EXPECT_TRUE(IsPureRed(CanPixel(dark, 6, 10)));
}

TEST(CursorMask, MirroredWithTheCanItStillCoversEveryColouredPixel)
{
    Resource mask = Bitmap(117), dark = Bitmap(126), light = Bitmap(127);
    ASSERT_NE(nullptr, mask.data);
    ASSERT_NE(nullptr, dark.data);
    ASSERT_NE(nullptr, light.data);
    int uncovered = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            const int from = 31 - x;  // mirrored left to right
            const bool coloured = !IsBlack(CanPixel(dark, from, y)) || !IsBlack(CanPixel(light, from, y));
            if (coloured && !MaskOpaque(mask, from, y))
                uncovered++;
        }
    EXPECT_EQ(0, uncovered);
    // The mirrored hot spot (25, 9) is the gap at (6, 9).
    EXPECT_FALSE(MaskOpaque(mask, 31 - 25, 9));
}
