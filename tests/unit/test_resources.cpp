// The resources compiled into the executable, read back from our own module.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "common/screen.h"

static const WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 0x0409

struct Resource {
    const BYTE *data;
    DWORD size;
};

// The resource's bytes in US English, or a null pointer when it is missing.
static Resource FindUsEnglish(const char *type, const char *name)
{
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC info = FindResourceExA(module, type, name, kUsEnglish);
    if (!info)
        return {nullptr, 0};
    HGLOBAL loaded = LoadResource(module, info);
    return {loaded ? (const BYTE *)LockResource(loaded) : nullptr, SizeofResource(module, info)};
}

static BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list)
{
    ((std::vector<WORD> *)list)->push_back(language);
    return TRUE;
}

// Every language the resource is stored in: a lookup in one language falls
// back to a language-neutral copy, so it cannot tell the two apart.
static std::vector<WORD> Languages(const char *type, const char *name)
{
    std::vector<WORD> list;
    EnumResourceLanguagesA(GetModuleHandleA(NULL), type, name, CollectLanguage, (LONG_PTR)&list);
    return list;
}

static Resource Bitmap(int id) { return FindUsEnglish(RT_BITMAP, MAKEINTRESOURCEA(id)); }

static unsigned U16(const BYTE *p) { return p[0] | p[1] << 8; }
static unsigned U32(const BYTE *p) { return U16(p) | U16(p + 2) << 16; }

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

// ---------------------------------------------------------------------------

TEST(ResourceSet, EveryResourceIsPresentInUsEnglishWithItsExactSize)
{
    struct Expected {
        const char *type;
        const char *name;
        DWORD size;
    };
    const Expected all[] = {
        {"WAVE", "IDW_SPRAY", 24772},
        {"WAVE", "IDW_FADEIN", 24772},
        {"WAVE", "IDW_FADEOUT", 15500},
        {RT_BITMAP, MAKEINTRESOURCEA(117), 176},
        {RT_BITMAP, MAKEINTRESOURCEA(124), 4136},
        {RT_BITMAP, MAKEINTRESOURCEA(125), 1484},
        {RT_BITMAP, MAKEINTRESOURCEA(146), 716},
        {RT_BITMAP, MAKEINTRESOURCEA(147), 2540},
        {RT_BITMAP, MAKEINTRESOURCEA(126), 3112},
        {RT_BITMAP, MAKEINTRESOURCEA(127), 3112},
        {RT_GROUP_ICON, MAKEINTRESOURCEA(141), 20},
        {RT_ICON, MAKEINTRESOURCEA(1), 744},
        {RT_VERSION, MAKEINTRESOURCEA(1), 884},
        {RT_MANIFEST, MAKEINTRESOURCEA(1), 86},
    };
    HMODULE module = GetModuleHandleA(NULL);
    for (const Expected &e : all) {
        SCOPED_TRACE(IS_INTRESOURCE(e.name) ? std::to_string((ULONG_PTR)e.name) : std::string(e.name));
        Resource r = FindUsEnglish(e.type, e.name);
        ASSERT_NE(nullptr, r.data);
        EXPECT_EQ(e.size, r.size);
        EXPECT_EQ(std::vector<WORD>{kUsEnglish}, Languages(e.type, e.name));
        // The program itself asks without a language.
        EXPECT_NE(nullptr, FindResourceA(module, e.name, e.type));
    }
}

TEST(ResourceSet, IconGroup141HoldsOnlyIcon1)
{
    Resource group = FindUsEnglish(RT_GROUP_ICON, MAKEINTRESOURCEA(141));
    ASSERT_NE(nullptr, group.data);
    ASSERT_EQ(20u, group.size);
    EXPECT_EQ(0u, U16(group.data));      // reserved
    EXPECT_EQ(1u, U16(group.data + 2));  // icons
    EXPECT_EQ(1u, U16(group.data + 4));  // one member
    const BYTE *entry = group.data + 6;
    EXPECT_EQ(32, entry[0]);
    EXPECT_EQ(32, entry[1]);
    EXPECT_EQ(16, entry[2]);  // colours
    EXPECT_EQ(1u, U16(entry + 4));    // planes
    EXPECT_EQ(4u, U16(entry + 6));    // bits per pixel
    EXPECT_EQ(744u, U32(entry + 8));  // bytes of the member
    EXPECT_EQ(1u, U16(entry + 12));   // its icon id
}

// ---------------------------------------------------------------------------

TEST(BitmapHeaders, GiveSizeDepthColourTableImageSizeAndResolution)
{
    struct Expected {
        int id, width, height, bits, colourTable, imageSize, perMetre;
    };
    const Expected all[] = {
        {117, 32, 32, 1, 2, 128, 0},     {124, 32, 32, 32, 0, 0, 3780},
        {125, 19, 19, 32, 0, 0, 3780},   {146, 13, 13, 32, 0, 0, 3780},
        {147, 25, 25, 32, 0, 0, 3780},   {126, 32, 32, 24, 0, 3072, 0},
        {127, 32, 32, 24, 0, 3072, 0},
    };
    for (const Expected &e : all) {
        SCOPED_TRACE(e.id);
        Resource r = Bitmap(e.id);
        ASSERT_NE(nullptr, r.data);
        BITMAPINFOHEADER h;
        memcpy(&h, r.data, sizeof h);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(e.width, h.biWidth);
        EXPECT_EQ(e.height, h.biHeight);  // positive: bottom-up rows
        EXPECT_EQ(1, h.biPlanes);
        EXPECT_EQ(e.bits, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ((DWORD)e.imageSize, h.biSizeImage);
        EXPECT_EQ(e.perMetre, h.biXPelsPerMeter);
        EXPECT_EQ(e.perMetre, h.biYPelsPerMeter);
        EXPECT_EQ(0u, h.biClrUsed);  // the whole table for 1 bit, none above 8
        const int stride = (e.width * e.bits + 31) / 32 * 4;
        EXPECT_EQ(40u + e.colourTable * 4u + (DWORD)(stride * e.height), r.size);
    }
    Resource mask = Bitmap(117);
    ASSERT_NE(nullptr, mask.data);
    EXPECT_EQ(0x00000000u, U32(mask.data + 40));  // index 0: black
    EXPECT_EQ(0x00FFFFFFu, U32(mask.data + 44));  // index 1: white
}

// ---------------------------------------------------------------------------

struct Brush {
    int id, edge;
};
static const Brush kBrushes[] = {{146, 13}, {125, 19}, {147, 25}, {124, 32}};

// Grey level of a brush pixel as displayed (blue byte), the brush's top row first.
static int BrushLevel(const Resource &brush, int edge, int x, int y)
{
    return brush.data[40 + ((edge - 1 - y) * edge + x) * 4];
}

TEST(BrushImages, AreGreyInEveryPixelWithAFourthByteOf255)
{
    for (const Brush &b : kBrushes) {
        SCOPED_TRACE(b.edge);
        Resource r = Bitmap(b.id);
        ASSERT_NE(nullptr, r.data);
        ASSERT_EQ(40u + 4u * b.edge * b.edge, r.size);
        int odd = 0;
        for (int i = 0; i < b.edge * b.edge; i++) {
            const BYTE *p = r.data + 40 + i * 4;
            if (p[0] != p[1] || p[1] != p[2] || p[3] != 255)
                odd++;
        }
        EXPECT_EQ(0, odd);
    }
}

TEST(BrushImages, PeakAtTheCentreWithBlackCornersAndDarkSides)
{
    for (const Brush &b : kBrushes) {
        SCOPED_TRACE(b.edge);
        Resource r = Bitmap(b.id);
        ASSERT_NE(nullptr, r.data);
        const int c = b.edge / 2, last = b.edge - 1, mid = (b.edge - 1) / 2;
        auto at = [&](int x, int y) { return BrushLevel(r, b.edge, x, y); };
        if (b.edge % 2) {
            EXPECT_EQ(255, at(c, c));
        } else {
            EXPECT_EQ(243, at(c - 1, c - 1));
            EXPECT_EQ(243, at(c, c - 1));
            EXPECT_EQ(243, at(c - 1, c));
            EXPECT_EQ(243, at(c, c));
        }
        EXPECT_EQ(0, at(0, 0));
        EXPECT_EQ(0, at(last, 0));
        EXPECT_EQ(0, at(0, last));
        EXPECT_EQ(0, at(last, last));
        EXPECT_LE(at(mid, 0), 9);
        EXPECT_LE(at(0, mid), 9);
        EXPECT_LE(at(last, mid), 9);
        EXPECT_LE(at(mid, last), 9);
    }
}

TEST(BrushImages, FallLinearlyFromTheCentreToNothingAtRadiusPoint478OfTheEdge)
{
    for (const Brush &b : kBrushes) {
        SCOPED_TRACE(b.edge);
        Resource r = Bitmap(b.id);
        ASSERT_NE(nullptr, r.data);
        const double radius = 0.478 * b.edge, centre = b.edge / 2.0;
        int off = 0;
        for (int y = 0; y < b.edge; y++)
            for (int x = 0; x < b.edge; x++) {
                const double d = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
                const double want = d < radius ? 255.0 * (1.0 - d / radius) : 0.0;
                if (std::fabs(BrushLevel(r, b.edge, x, y) - want) > 1.0)
                    off++;
            }
        EXPECT_EQ(0, off);
    }
}

// A pixel of a device bitmap's raw bits (top row first), without the fourth byte at 32 bits.
static DWORD RawPixel(const std::vector<BYTE> &bits, const BITMAP &info, int x, int y)
{
    const BYTE *p = bits.data() + (size_t)y * info.bmWidthBytes + x * (info.bmBitsPixel / 8);
    return info.bmBitsPixel == 16 ? U16(p) : U32(p) & 0x00FFFFFF;
}

// White as the display's device bitmaps hold it; the 16-bit layout is the driver's.
static DWORD DeviceWhite()
{
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetPixel(memory, 0, 0, RGB(255, 255, 255));
    SelectObject(memory, old);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    std::vector<BYTE> bits(4);
    GetBitmapBits(bitmap, 4, bits.data());
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(NULL, screen);
    return RawPixel(bits, info, 0, 0);
}

TEST(BrushImages, LoadAtTheDisplayDepthWithTheirEdgeAndAFullCentre)
{
    const int depth = DisplayDepth();
    const DWORD white = DeviceWhite();
    for (const Brush &b : kBrushes) {
        SCOPED_TRACE(b.edge);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.id));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info;
        ASSERT_EQ((int)sizeof info, GetObjectA(bitmap, sizeof info, &info));
        EXPECT_EQ(b.edge, info.bmWidth);
        EXPECT_EQ(b.edge, info.bmHeight);
        EXPECT_EQ(depth, info.bmBitsPixel);
        std::vector<BYTE> bits((size_t)info.bmWidthBytes * info.bmHeight);
        ASSERT_EQ((LONG)bits.size(), GetBitmapBits(bitmap, (LONG)bits.size(), bits.data()));

        const int c = b.edge / 2, last = b.edge - 1;
        if (b.edge % 2) {
            EXPECT_EQ(white, RawPixel(bits, info, c, c));
        }
        EXPECT_EQ(0u, RawPixel(bits, info, 0, 0));
        EXPECT_EQ(0u, RawPixel(bits, info, last, last));

        // The 32 brush peaks at 243 on its four centre pixels.
        HDC memory = CreateCompatibleDC(NULL);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const COLORREF centre = GetPixel(memory, c, c);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        const int full = b.edge % 2 ? 255 : 243, tolerance = depth == 16 ? 8 : 0;
        EXPECT_NEAR(full, GetRValue(centre), tolerance);
        EXPECT_NEAR(full, GetGValue(centre), tolerance);
        EXPECT_NEAR(full, GetBValue(centre), tolerance);
    }
}

// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------

TEST(IconAndVersion, TheIconIs32By32In16ColoursWithTheStandardPalette)
{
    Resource icon = FindUsEnglish(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, icon.data);
    ASSERT_EQ(744u, icon.size);
    BITMAPINFOHEADER h;
    memcpy(&h, icon.data, sizeof h);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(32, h.biWidth);
    EXPECT_EQ(64, h.biHeight);  // image and mask stacked
    EXPECT_EQ(1, h.biPlanes);
    EXPECT_EQ(4, h.biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
    EXPECT_EQ(512u, h.biSizeImage);
    const DWORD palette[16] = {  // 0x00RRGGBB as stored blue, green, red, 0
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(palette[i], U32(icon.data + 40 + i * 4)) << "palette entry " << i;
}

TEST(IconAndVersion, TheIconUsesBlackDarkRedAndWhiteAndHas68TransparentCornerPixels)
{
    Resource icon = FindUsEnglish(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, icon.data);
    ASSERT_EQ(744u, icon.size);
    const BYTE *image = icon.data + 40 + 64, *andMask = image + 512;
    int used[16] = {}, transparent = 0, notInCorner = 0, colouredTransparent = 0;
    for (int row = 0; row < 32; row++)
        for (int x = 0; x < 32; x++) {
            const int index = (image[row * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
            used[index]++;
            if (!((andMask[row * 4 + x / 8] >> (7 - x % 8)) & 1))
                continue;
            transparent++;
            const int cx = x < 16 ? x : 31 - x, cy = row < 16 ? row : 31 - row;
            if (cx >= 9 || cy >= 9)
                notInCorner++;
            if (index != 0)
                colouredTransparent++;
        }
    EXPECT_GT(used[0], 0);   // black
    EXPECT_GT(used[1], 0);   // dark red
    EXPECT_GT(used[15], 0);  // white
    EXPECT_EQ(1024, used[0] + used[1] + used[15]);
    EXPECT_EQ(68, transparent);
    EXPECT_EQ(0, notInCorner);
    EXPECT_EQ(0, colouredTransparent);

    HICON loaded = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(141));
    ASSERT_NE(nullptr, loaded);
    DestroyIcon(loaded);
}

TEST(IconAndVersion, TheManifestIsOneEmptyAssemblyElement)
{
    Resource manifest = FindUsEnglish(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, manifest.data);
    EXPECT_EQ(std::string("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                          "manifestVersion=\"1.0\">\r\n</assembly>"),
              std::string((const char *)manifest.data, manifest.size));
}

TEST(IconAndVersion, TheVersionRecordIsAPrivateBuildOfAWindowsApp1006)
{
    Resource version = FindUsEnglish(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, version.data);
    const BYTE *fixed = nullptr;
    for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= version.size; i += 4)
        if (U32(version.data + i) == 0xFEEF04BD) {  // VS_FIXEDFILEINFO's signature
            fixed = version.data + i;
            break;
        }
    ASSERT_NE(nullptr, fixed);
    VS_FIXEDFILEINFO info;
    memcpy(&info, fixed, sizeof info);
    EXPECT_EQ(0x00010000u, info.dwFileVersionMS);  // 1.0
    EXPECT_EQ(0x00000006u, info.dwFileVersionLS);  // 0.6
    EXPECT_EQ(0x00010000u, info.dwProductVersionMS);
    EXPECT_EQ(0x00000006u, info.dwProductVersionLS);
    EXPECT_EQ((DWORD)VS_FFI_FILEFLAGSMASK, info.dwFileFlagsMask);
    EXPECT_EQ((DWORD)VS_FF_PRIVATEBUILD, info.dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, info.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, info.dwFileType);
    EXPECT_EQ(0u, info.dwFileSubtype);
    EXPECT_EQ(0u, info.dwFileDateMS);
    EXPECT_EQ(0u, info.dwFileDateLS);
}
