// The spray stamp in-process: StampSpray's dabs on the real canvas and window.
#include <gtest/gtest.h>
#include "core/state.h"
#include "paint/stamp.h"
#include "paint/stamp_pixels.h"
#include "paint/strokes.h"
#include "unit/overlay_fixture.h"
#include "unit/stamp_helpers.h"

// Dabs drawn in-process onto the real canvas and the real overlay window.
class SprayDab : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTest();
        picture = ShowPictureWindow(RGB(40, 80, 160));
        backdrop = ScreenPixel(1, 1);
        ASSERT_NE(nullptr, StartTestOverlay());
        g_app.currentColour = RGB(255, 255, 255);
        g_settings.spraySize = 19;
    }
    void TearDown() override
    {
        EndTestOverlay();
        DestroyWindow(picture);
        PumpMessages();
    }

    // Compares the whole canvas with a white dab of the brush at the square:
    // brush row r at screen row top + size - 1 - r, nothing anywhere else.
    ::testing::AssertionResult CanvasHoldsWhiteDab(RECT square, int size)
    {
        std::vector<DWORD> brush = ReadBrush(g_app.instance, BrushIdForSize(size), size);
        if (brush.empty())
            return ::testing::AssertionFailure() << "brush " << size << " unreadable";
        size_t painted = 0;
        for (int y = square.top; y < square.bottom; y++)
            for (int x = square.left; x < square.right; x++) {
                if (x < 0 || y < 0 || x >= g_app.screenWidth || y >= g_app.screenHeight)
                    continue;
                int r = square.top + size - 1 - y, c = x - square.left;
                DWORD expected = WhitePaint(brush[(size_t)r * size + c]);
                if (CanvasPixel(x, y) != expected)
                    return ::testing::AssertionFailure()
                           << "at " << x << "," << y << " " << std::hex << CanvasPixel(x, y)
                           << " instead of " << expected;
                painted += expected != 0;
            }
        size_t total = PaintedCanvasPixels();
        if (total != painted)
            return ::testing::AssertionFailure() << total - painted << " pixels outside the dab";
        return ::testing::AssertionSuccess();
    }

    HWND picture = NULL;
    DWORD backdrop = 0;
};

TEST_F(SprayDab, TheCentreOfADabIsFullPaintOfTheCurrentColour)
{
    g_app.currentColour = RGB(100, 50, 25);
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, DabSquare(300, 200, 19)));
    EXPECT_EQ(0xFF643219u, CanvasPixel(300, 200));
    // The corners of every brush image are black.
    EXPECT_EQ(0u, CanvasPixel(291, 191));
    EXPECT_EQ(0u, CanvasPixel(309, 209));
}

TEST_F(SprayDab, EverySpraySizeLaysItsBrushUpsideDownAtTheSquare)
{
    for (int size : {13, 19, 25, 32}) {
        ResetForTest();
        ASSERT_NE(nullptr, StartTestOverlay());
        g_app.currentColour = RGB(255, 255, 255);
        g_settings.spraySize = size;
        RECT square = DabSquare(400, 300, size);
        ASSERT_EQ(1, StampSpray(g_app.canvasDC, square)) << size;
        EXPECT_TRUE(CanvasHoldsWhiteDab(square, size)) << size;
    }
}

TEST_F(SprayDab, ABrushThatIsNotSymmetricShowsUpsideDown)
{
    // Row r of the image has grey 10 r + 5: 5 on the top row, 185 on the bottom one.
    std::vector<BYTE> levels;
    for (int r = 0; r < 19; r++)
        levels.push_back((BYTE)(10 * r + 5));
    std::string path;
    HMODULE module = LoadBrushModule(125, levels, &path);
    ASSERT_NE(nullptr, module);
    g_app.instance = (HINSTANCE)module;
    RECT square = {100, 100, 119, 119};
    int drawn = StampSpray(g_app.canvasDC, square);
    EXPECT_EQ(1, drawn);
    EXPECT_TRUE(CanvasHoldsWhiteDab(square, 19));
    g_app.instance = GetModuleHandleA(NULL);
    FreeBrushModule(module, path);
    // A 16-bit brush keeps only the top five bits of each grey.
    int tolerance = DisplayDepth() == 16 ? 8 : 0;
    EXPECT_NEAR(185, (int)(CanvasPixel(105, 100) >> 24), tolerance);
    EXPECT_NEAR(5, (int)(CanvasPixel(105, 118) >> 24), tolerance);
}

TEST_F(SprayDab, TheOffScreenPartOfADabStaysTransparent)
{
    int w = g_app.screenWidth, h = g_app.screenHeight;
    RECT squares[] = {
        {-5, 100, 14, 119},          // left edge at -5: five columns off
        {200, h - 16, 219, h + 3},   // bottom edge 3 below: brush rows 0 to 2 off
        {w - 10, -7, w + 9, 12},     // over the top right corner
    };
    for (RECT square : squares) {
        ResetForTest();
        ASSERT_NE(nullptr, StartTestOverlay());
        g_app.currentColour = RGB(255, 255, 255);
        ASSERT_EQ(1, StampSpray(g_app.canvasDC, square)) << square.left << "," << square.top;
        EXPECT_TRUE(CanvasHoldsWhiteDab(square, 19)) << square.left << "," << square.top;
        // Each centre is on the screen: brush row 9, column 9, full paint.
        EXPECT_EQ(0xFFFFFFFFu, CanvasPixel(square.left + 9, square.top + 9));
    }
}

TEST_F(SprayDab, ADabOverAnotherAddsPaint)
{
    RECT square = DabSquare(300, 200, 19);
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, square));
    int once = (int)(CanvasPixel(304, 200) >> 24);
    ASSERT_GT(once, 0);
    ASSERT_LT(once, 255);
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, square));
    int twice = (int)(CanvasPixel(304, 200) >> 24);
    EXPECT_NEAR(once + once * (255 - once) / 255, twice, 1);
    EXPECT_EQ(0xFFFFFFFFu, CanvasPixel(300, 200));
}

TEST_F(SprayDab, ASquareOfTheWrongSizeDrawsNothing)
{
    RECT wrong[] = {
        {100, 100, 120, 119},  // one too wide
        {100, 100, 119, 120},  // one too high
        {100, 100, 100, 100},  // empty
        {119, 119, 100, 100},  // turned inside out
    };
    for (RECT square : wrong)
        EXPECT_EQ(0, StampSpray(g_app.canvasDC, square)) << square.right << "," << square.bottom;
    SettleScreen();
    EXPECT_EQ(0u, PaintedCanvasPixels());
    EXPECT_EQ(backdrop, ScreenPixel(109, 109));
}

TEST_F(SprayDab, ASpraySizeWithoutABrushDrawsNothing)
{
    for (int size : {0, 18, 20, 33, -19}) {
        g_settings.spraySize = size;
        EXPECT_EQ(0, StampSpray(g_app.canvasDC, DabSquare(300, 200, size))) << size;
    }
    SettleScreen();
    EXPECT_EQ(0u, PaintedCanvasPixels());
    EXPECT_EQ(backdrop, ScreenPixel(300, 200));
}

// What the blend makes of premultiplied paint (0xAARRGGBB) over a screen pixel.
static DWORD Blended(DWORD paint, DWORD under)
{
    int alpha = (int)(paint >> 24);
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int src = (int)((paint >> shift) & 0xFF), dst = (int)((under >> shift) & 0xFF);
        result |= (DWORD)(src + dst * (255 - alpha) / 255) << shift;
    }
    return result;
}

TEST_F(SprayDab, TheWindowShowsAWhiteDabAtOnce)
{
    std::vector<DWORD> brush = ReadBrush(g_app.instance, 125, 19);
    ASSERT_EQ(361u, brush.size());
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, DabSquare(512, 384, 19)));
    SettleScreen();
    EXPECT_TRUE(LooksLike(ScreenPixel(512, 384), RGB(255, 255, 255)))
        << std::hex << ScreenPixel(512, 384);
    // Four right of the centre: brush row 9, column 13, partly covered.
    DWORD expected = Blended(WhitePaint(brush[9 * 19 + 13]), backdrop);
    int tolerance = DisplayDepth() == 16 ? 12 : 3;
    EXPECT_TRUE(NearColour(ScreenPixel(516, 384), expected, tolerance))
        << std::hex << ScreenPixel(516, 384) << " instead of " << expected;
    EXPECT_EQ(backdrop, ScreenPixel(503, 375));
}

TEST_F(SprayDab, ABlackDabDarkensTheScreenByTheDensity)
{
    std::vector<DWORD> brush = ReadBrush(g_app.instance, 125, 19);
    ASSERT_EQ(361u, brush.size());
    g_app.currentColour = RGB(0, 0, 0);
    ASSERT_EQ(1, StampSpray(g_app.canvasDC, DabSquare(512, 384, 19)));
    SettleScreen();
    EXPECT_TRUE(LooksLike(ScreenPixel(512, 384), RGB(0, 0, 0))) << std::hex << ScreenPixel(512, 384);
    DWORD density = brush[9 * 19 + 13] >> 16;
    DWORD expected = Blended(density << 24, backdrop);
    int tolerance = DisplayDepth() == 16 ? 12 : 3;
    EXPECT_TRUE(NearColour(ScreenPixel(516, 384), expected, tolerance))
        << std::hex << ScreenPixel(516, 384) << " instead of " << expected;
    EXPECT_EQ(backdrop, ScreenPixel(521, 393));
}

TEST_F(SprayDab, AThousandDabsLeaveNoGdiObjectBehind)
{
    int h = g_app.screenHeight;
    StampSpray(g_app.canvasDC, DabSquare(300, 200, 19));
    // Wine reports no GDI object count at all; the free handle slots tell there.
    DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int freeBefore = FreeGdiHandles();
    for (int i = 0; i < 1000; i++) {
        const int sizes[] = {13, 19, 25, 32, 20};
        g_settings.spraySize = sizes[i % 5];
        // Some off the screen's edges, some with a wrong square or an unknown size.
        RECT square = DabSquare(i % 3 == 0 ? 2 : 300, i % 7 == 0 ? h - 2 : 200, g_settings.spraySize);
        if (i % 11 == 0)
            square.right++;
        StampSpray(g_app.canvasDC, square);
    }
    EXPECT_EQ(objectsBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    EXPECT_EQ(freeBefore, FreeGdiHandles());
}
