// The spray-can cursor: image choice, tinting, mirroring and the built cursor.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "app/startup.h"
#include "app/window_proc.h"
#include "colour/can_image.h"
#include "colour/cursor.h"
#include "colour/slots.h"
#include "core/display_scale.h"
#include "core/state.h"
#include "fake_platform.h"
#include "paint/stamp.h"
#include "paint/strokes.h"
#include "unit/overlay_fixture.h"
#include "unit/stamp_helpers.h"

TEST(CanImage, ColoursUpToOneTwentyEightPerChannelTakeTheDarkCan)
{
    COLORREF dark[] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(0, 0, 128), RGB(128, 0, 128)};
    for (COLORREF colour : dark)
        EXPECT_EQ(126, CanImageFor(colour)) << std::hex << colour;
    COLORREF light[] = {RGB(255, 0, 0), RGB(129, 0, 0), RGB(255, 255, 0), RGB(255, 128, 0),
                        RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 129)};
    for (COLORREF colour : light)
        EXPECT_EQ(127, CanImageFor(colour)) << std::hex << colour;
}

TEST(TintPixels, ReplacesExactMatchesOnlyAtThirtyTwoBits)
{
    // blue, green, red, unused
    BYTE bits[] = {0, 0, 255, 7, 0, 0, 254, 0, 1, 0, 255, 0, 0, 0, 255, 9};
    EXPECT_EQ(2, TintPixels(bits, sizeof bits, 32, 0, RGB(255, 0, 0), RGB(200, 100, 50)));
    BYTE expected[] = {50, 100, 200, 7, 0, 0, 254, 0, 1, 0, 255, 0, 50, 100, 200, 9};
    EXPECT_EQ(0, memcmp(expected, bits, sizeof bits));
}

TEST(TintPixels, MatchesFiveSixFiveFieldsAtSixteenBits)
{
    // Pure red arrives as 0xF800; (200, 100, 50) becomes (25 << 11) | (25 << 5) | 6.
    BYTE bits[] = {0x00, 0xF8, 0x01, 0xF8, 0x00, 0xF8};
    EXPECT_EQ(2, TintPixels(bits, sizeof bits, 16, 0xF800, RGB(255, 0, 0), RGB(200, 100, 50)));
    WORD tinted = (25 << 11) | (25 << 5) | 6;
    BYTE expected[] = {(BYTE)tinted, (BYTE)(tinted >> 8), 0x01, 0xF8, (BYTE)tinted,
                       (BYTE)(tinted >> 8)};
    EXPECT_EQ(0, memcmp(expected, bits, sizeof bits));
}

TEST(TintPixels, MatchesFiveFiveFiveFieldsWhereTheDeviceUsesThem)
{
    // Wine's 16-bit device bitmaps: pure red is 0x7C00, and (200, 100, 50)
    // becomes (25 << 10) | (12 << 5) | 6.
    BYTE bits[] = {0x00, 0x7C, 0x00, 0xF8};
    EXPECT_EQ(1, TintPixels(bits, sizeof bits, 16, 0x7C00, RGB(255, 0, 0), RGB(200, 100, 50)));
    WORD tinted = (25 << 10) | (12 << 5) | 6;
    BYTE expected[] = {(BYTE)tinted, (BYTE)(tinted >> 8), 0x00, 0xF8};
    EXPECT_EQ(0, memcmp(expected, bits, sizeof bits));
}

TEST(TintPixels, OtherDepthsChangeNothing)
{
    BYTE bits[] = {0, 0, 255, 0, 0, 0xF8};
    BYTE before[sizeof bits];
    memcpy(before, bits, sizeof bits);
    EXPECT_EQ(0, TintPixels(bits, sizeof bits, 24, 0, RGB(255, 0, 0), RGB(1, 2, 3)));
    EXPECT_EQ(0, TintPixels(bits, sizeof bits, 8, 0, RGB(255, 0, 0), RGB(1, 2, 3)));
    EXPECT_EQ(0, memcmp(before, bits, sizeof bits));
}

static std::vector<BYTE> NumberedImage(int bytesPerPixel)
{
    std::vector<BYTE> bits(32 * 32 * bytesPerPixel);
    for (size_t i = 0; i < bits.size(); i++)
        bits[i] = (BYTE)(i / bytesPerPixel % 251);
    return bits;
}

TEST(MirrorPixels, SwapsColumnsAcrossTheMiddleAndTwiceGivesTheImageBack)
{
    for (int depth : {32, 16}) {
        int size = depth / 8;
        std::vector<BYTE> bits = NumberedImage(size), original = bits;
        MirrorPixels(bits.data(), (int)bits.size(), depth);
        for (int row = 0; row < 32; row++) {
            auto at = [&](const std::vector<BYTE> &image, int column) {
                return image[(size_t)(row * 32 + column) * size];
            };
            EXPECT_EQ(at(original, 31), at(bits, 0));
            EXPECT_EQ(at(original, 0), at(bits, 31));
            EXPECT_EQ(at(original, 16), at(bits, 15));
            EXPECT_EQ(at(original, 15), at(bits, 16));
        }
        MirrorPixels(bits.data(), (int)bits.size(), depth);
        EXPECT_EQ(original, bits) << depth;
    }
}

class CanBitmaps : public ::testing::Test {
protected:
    void SetUp() override { ResetForTest(); }
    HBITMAP Load(int id)
    {
        HPALETTE palette = NULL;
        HBITMAP bitmap = LoadDibResource(g_app.instance, id, &palette);
        if (palette)
            DeleteObject(palette);
        return bitmap;
    }
};

TEST_F(CanBitmaps, TintingReplacesTheRedPixelsOfEachCan)
{
    HBITMAP dark = Load(IDB_CAN_DARK), light = Load(IDB_CAN_LIGHT);
    ASSERT_NE(nullptr, dark);
    ASSERT_NE(nullptr, light);
    EXPECT_EQ(96, TintImage(dark, RGB(255, 0, 0), RGB(0, 0, 128)));
    EXPECT_EQ(0, TintImage(dark, RGB(255, 0, 0), RGB(0, 0, 128)));
    EXPECT_EQ(128, TintImage(light, RGB(255, 0, 0), RGB(255, 255, 0)));
    DeleteObject(dark);
    DeleteObject(light);
}

TEST_F(CanBitmaps, TintingWithPureRedChangesNothing)
{
    HBITMAP dark = Load(IDB_CAN_DARK);
    BYTE before[kCanImageBytes], after[kCanImageBytes];
    LONG size = GetBitmapBits(dark, sizeof before, before);
    ASSERT_GT(size, 0);
    EXPECT_EQ(96, TintImage(dark, RGB(255, 0, 0), RGB(255, 0, 0)));
    ASSERT_EQ(size, GetBitmapBits(dark, sizeof after, after));
    EXPECT_EQ(0, memcmp(before, after, size));
    DeleteObject(dark);
}

TEST_F(CanBitmaps, TheMaskLoadsWithItsTwoEntryPalette)
{
    HPALETTE palette = NULL;
    HBITMAP mask = LoadDibResource(g_app.instance, IDB_CAN_MASK, &palette);
    ASSERT_NE(nullptr, mask);
    ASSERT_NE(nullptr, palette);
    PALETTEENTRY entries[2];
    EXPECT_EQ(2u, GetPaletteEntries(palette, 0, 2, entries));
    EXPECT_EQ(0, entries[0].peRed | entries[0].peGreen | entries[0].peBlue);
    EXPECT_EQ(255, entries[1].peRed & entries[1].peGreen & entries[1].peBlue);
    BITMAP info;
    GetObjectA(mask, sizeof info, &info);
    EXPECT_EQ(32, info.bmWidth);
    EXPECT_EQ(32, info.bmHeight);
    DeleteObject(mask);
    DeleteObject(palette);
}

TEST_F(CanBitmaps, AMissingResourceLoadsNothing)
{
    HPALETTE palette = (HPALETTE)1;
    EXPECT_EQ(nullptr, LoadDibResource(g_app.instance, 999, &palette));
    EXPECT_EQ((HPALETTE)1, palette);
}

// Colour pixels of the cursor in use, as 0x00RRGGBB, with its hot spot and
// edge; the mask must be as large as the colour image.
static std::vector<DWORD> CursorPixels(POINT *hotSpot, int *edge = nullptr)
{
    ICONINFO info = {};
    if (!g_app.cursor || !GetIconInfo(g_app.cursor, &info))
        return std::vector<DWORD>();
    hotSpot->x = (LONG)info.xHotspot;
    hotSpot->y = (LONG)info.yHotspot;
    BITMAP colour = {}, mask = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    int side = colour.bmWidth == colour.bmHeight && mask.bmWidth == colour.bmWidth
                   && mask.bmHeight == colour.bmHeight ? colour.bmWidth : 0;
    if (edge)
        *edge = side;
    std::vector<DWORD> pixels((size_t)side * side);
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = side;
    header.bmiHeader.biHeight = -side;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(NULL);
    GetDIBits(screen, info.hbmColor, 0, side, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    for (DWORD &pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

TEST_F(CanBitmaps, TheCursorShowsTheColourWithTheHotSpotOfItsOrientation)
{
    g_settings.mirror = 1;
    ASSERT_NE(0, BuildCanCursor(RGB(0, 0, 128)));
    EXPECT_EQ(g_app.cursor, GetCursor());
    POINT hot;
    std::vector<DWORD> mirrored = CursorPixels(&hot);
    ASSERT_EQ(1024u, mirrored.size());
    EXPECT_EQ(25, hot.x);
    EXPECT_EQ(9, hot.y);
    EXPECT_EQ(96, CountLike(mirrored, RGB(0, 0, 128)));
    EXPECT_EQ(0, CountLike(mirrored, RGB(255, 0, 0)));

    g_settings.mirror = 0;
    ASSERT_NE(0, BuildCanCursor(RGB(0, 0, 128)));
    std::vector<DWORD> plain = CursorPixels(&hot);
    EXPECT_EQ(6, hot.x);
    EXPECT_EQ(9, hot.y);
    for (int row = 0; row < 32; row++)
        for (int column = 0; column < 32; column++)
            EXPECT_EQ(plain[row * 32 + column], mirrored[row * 32 + 31 - column]);
    ReleaseCanCursor();
}

TEST_F(CanBitmaps, TheHKeyFlipsTheCursorBackAndForth)
{
    g_settings.slotCount = 11;
    g_settings.slots[3] = RGB(255, 128, 0);
    g_settings.currentSlot = 3;
    g_settings.mirror = 1;
    SelectSlot(3);
    POINT hot;
    CursorPixels(&hot);
    EXPECT_EQ(25, hot.x);
    OverlayWndProc(NULL, WM_CHAR, 'h', 0);
    EXPECT_EQ(0, g_settings.mirror);
    EXPECT_EQ(128, CountLike(CursorPixels(&hot), RGB(255, 128, 0)));
    EXPECT_EQ(6, hot.x);
    OverlayWndProc(NULL, WM_CHAR, 'h', 0);
    CursorPixels(&hot);
    EXPECT_EQ(25, hot.x);
    ReleaseCanCursor();
}

TEST_F(CanBitmaps, HOnAnUnselectableSlotFlipsTheFlagButKeepsTheCursor)
{
    g_settings.slotCount = 11;
    g_settings.mirror = 1;
    ASSERT_NE(0, BuildCanCursor(RGB(0, 0, 0)));
    HCURSOR before = g_app.cursor;
    g_settings.currentSlot = 10;  // the custom slot, not chosen yet
    OverlayWndProc(NULL, WM_CHAR, 'h', 0);
    EXPECT_EQ(0, g_settings.mirror);
    EXPECT_EQ(before, g_app.cursor);
    ReleaseCanCursor();
}

TEST_F(CanBitmaps, ThousandsOfBuildsLeaveNoHandleBehind)
{
    ASSERT_NE(0, BuildCanCursor(RGB(1, 2, 3)));
    int freeBefore = FreeGdiHandles();
    HCURSOR previous = g_app.cursor;
    for (int i = 0; i < 2000; i++) {
        g_settings.mirror = i & 1;
        ASSERT_NE(0, BuildCanCursor(RGB(i & 255, 0, 200)));
        // The cursor it replaced is gone; only the one in use is kept.
        ICONINFO info;
        ASSERT_FALSE(GetIconInfo(previous, &info));
        previous = g_app.cursor;
    }
    EXPECT_EQ(freeBefore, FreeGdiHandles());
    ReleaseCanCursor();
    EXPECT_EQ(nullptr, g_app.cursor);
}

// One dab of the spray size at (x, y), white on the empty canvas: the painted
// columns of its middle row, and whether it painted only inside its square.
static int DabSpan(int size, int x, int y, bool *insideOnly)
{
    g_settings.spraySize = size;
    RECT square = DabSquare(x, y, ScaledLength(size));
    size_t before = PaintedCanvasPixels(), inside = 0;
    if (StampSpray(g_app.canvasDC, square) != 1)
        return -1;
    int span = 0;
    for (int r = std::max(0L, square.top); r < square.bottom; r++)
        for (int c = std::max(0L, square.left); c < square.right; c++) {
            inside += CanvasPixel(c, r) != 0;
            span += r == y && CanvasPixel(c, r) != 0;
        }
    *insideOnly = PaintedCanvasPixels() - before == inside;
    return span;
}

// On a scaled display the can is as large as the system's pointers, each
// pixel of the image a block, with the hot spot on the same pixel of it; and
// each spray size lays its dab on a square scaled by the DPI, the brush
// stretched onto it: as much of the square painted as at 100 %, nearly full
// in the middle, nothing outside the square, on the screen or partly off it.
TEST_F(CanBitmaps, OnAScaledDisplayTheCanAndTheDabsGrowWithTheDpi)
{
    const int sizes[] = {13, 19, 25, 32};
    struct Scale {
        UINT dpi;
        int edge;
        POINT hot, mirroredHot;
        int squares[4];
    } scales[] = {
        {96, 32, {6, 9}, {25, 9}, {13, 19, 25, 32}},
        {120, 40, {7, 11}, {31, 11}, {16, 24, 31, 40}},
        {144, 48, {9, 13}, {37, 13}, {20, 29, 38, 48}},
        {192, 64, {12, 18}, {50, 18}, {26, 38, 50, 64}},
    };
    std::vector<DWORD> unscaled[2];
    int unscaledSpan[4] = {};
    for (const Scale &scale : scales) {
        ResetForTest();
        g_fake.systemDpi = scale.dpi;
        g_fake.cursorEdgeQuery = 1;
        MeasureScreen();
        for (int mirror : {0, 1}) {
            g_settings.mirror = mirror;
            ASSERT_NE(0, BuildCanCursor(RGB(0, 0, 128))) << scale.dpi;
            POINT hot;
            int edge = 0;
            std::vector<DWORD> pixels = CursorPixels(&hot, &edge);
            ASSERT_EQ(scale.edge, edge) << scale.dpi;
            POINT expected = mirror ? scale.mirroredHot : scale.hot;
            EXPECT_EQ(expected.x, hot.x) << scale.dpi << " mirror " << mirror;
            EXPECT_EQ(expected.y, hot.y) << scale.dpi << " mirror " << mirror;
            if (scale.dpi == 96)
                unscaled[mirror] = pixels;
            // Every pixel shows the unscaled image's pixel under its centre.
            for (int r = 0; r < edge; r++)
                for (int c = 0; c < edge; c++)
                    ASSERT_EQ(unscaled[mirror][(r * 32 + 16) / edge * 32 + (c * 32 + 16) / edge],
                              pixels[r * edge + c])
                        << scale.dpi << " at " << c << "," << r;
        }

        ASSERT_NE(nullptr, StartTestOverlay());
        g_app.currentColour = RGB(255, 255, 255);
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(scale.squares[i], ScaledLength(sizes[i])) << scale.dpi;
            // The first partly off the screen, where its span is cut.
            int x = i ? 150 * i : 2, y = i ? 300 : 2;
            bool insideOnly = false;
            int span = DabSpan(sizes[i], x, y, &insideOnly);
            EXPECT_TRUE(insideOnly) << scale.dpi << " " << sizes[i];
            EXPECT_GE(CanvasPixel(x, y) >> 24, 224u) << scale.dpi << " " << sizes[i];
            if (i == 0)
                continue;
            if (scale.dpi == 96)
                unscaledSpan[i] = span;
            EXPECT_NEAR(ScaleLength(unscaledSpan[i], scale.dpi), span, 2)
                << scale.dpi << " " << sizes[i];
        }
    }
    ReleaseCanCursor();
}

// Made on a screen whose scale is not the session's (a laptop docked since
// sign-in), the window gets no WM_DPICHANGED: its own scale sizes the first
// can. Moved to a monitor of another scale, or rescaled: the can and new
// dabs take the new size; the window keeps covering the screen, the paint stays.
TEST_F(CanBitmaps, TheCanFollowsTheScaleOfTheWindowsScreenAndKeepsTheWindowAndItsPaint)
{
    g_fake.cursorEdgeQuery = 1;
    g_fake.systemDpi = 96;
    g_fake.windowDpi = 144;
    ASSERT_NE(nullptr, StartTestOverlay());
    POINT hot;
    int edge = 0;
    CursorPixels(&hot, &edge);
    EXPECT_EQ(48, edge);
    g_app.currentColour = RGB(255, 255, 255);
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, DabSquare(300, 200, ScaledLength(19))));
    DWORD painted = CanvasPixel(305, 200);
    ASSERT_NE(0u, painted);

    g_fake.windowDpi = 192;
    // What the platform suggests suits windows that grow with the scale.
    RECT suggested = {0, 0, g_app.screenWidth * 2, g_app.screenHeight * 2};
    EXPECT_EQ(0, OverlayWndProc(g_app.overlay, WM_DPICHANGED, MAKEWPARAM(192, 192),
                                (LPARAM)&suggested));
    CursorPixels(&hot, &edge);
    EXPECT_EQ(64, edge);
    EXPECT_EQ(38, ScaledLength(19));
    RECT window = {};
    GetWindowRect(g_app.overlay, &window);
    EXPECT_TRUE(window.left == 0 && window.top == 0 && window.right == g_app.screenWidth
                && window.bottom == g_app.screenHeight);
    EXPECT_EQ(painted, CanvasPixel(305, 200));
    EndTestOverlay();
}

// Scaled together, or both kept as loaded: a cursor needs both of one size.
TEST_F(CanBitmaps, WhereTheCanOrItsMaskCannotBeScaledBothAreKeptAsLoaded)
{
    HBITMAP odd = CreateBitmap(16, 16, 1, 1, NULL);  // no image the scaling takes
    HBITMAP can = Load(IDB_CAN_DARK), mask = Load(IDB_CAN_MASK);
    HBITMAP pairs[][2] = {{can, odd}, {odd, mask}};
    for (auto &pair : pairs) {
        HBITMAP loaded[2] = {pair[0], pair[1]};
        EXPECT_EQ(32, ScaleCanImages(&pair[0], &pair[1], 64));
        EXPECT_TRUE(pair[0] == loaded[0] && pair[1] == loaded[1]);
    }
}
