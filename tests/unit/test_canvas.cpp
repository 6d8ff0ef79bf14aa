// The canvas and what a repaint draws.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "core/state.h"
#include "fake_platform.h"
#include "paint/canvas.h"
#include "unit/overlay_fixture.h"

// Writes premultiplied paint straight into a rectangle of the canvas.
static void PaintCanvas(RECT rect, BYTE blue, BYTE green, BYTE red, BYTE alpha)
{
    DIBSECTION section;
    ASSERT_EQ((int)sizeof section, GetObjectA(g_app.canvasBitmap, sizeof section, &section));
    BYTE *bits = (BYTE *)section.dsBm.bmBits;
    int height = g_app.screenHeight;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++) {
            BYTE *pixel = bits + ((size_t)(height - 1 - y) * g_app.screenWidth + x) * 4;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
            pixel[3] = alpha;
        }
    GdiFlush();
}

static void Repaint(HWND window, const RECT *rect)
{
    InvalidateRect(window, rect, FALSE);
    UpdateWindow(window);
    SettleScreen();
}

class CanvasRepaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTest();
        picture = ShowPictureWindow(RGB(40, 80, 160));
        backdrop = ScreenPixel(1, 1);
        ASSERT_TRUE(LooksLike(backdrop, RGB(40, 80, 160)));
        window = StartTestOverlay();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        EndTestOverlay();
        DestroyWindow(picture);
        PumpMessages();
    }
    HWND picture = NULL;
    HWND window = NULL;
    DWORD backdrop = 0;
};

TEST_F(CanvasRepaint, TheEmptyCanvasIsMadeAtTheScreenSizeAllTransparent)
{
    DIBSECTION section;
    ASSERT_EQ((int)sizeof section, GetObjectA(g_app.canvasBitmap, sizeof section, &section));
    EXPECT_EQ(g_app.screenWidth, section.dsBmih.biWidth);
    EXPECT_EQ(g_app.screenHeight, section.dsBmih.biHeight);
    EXPECT_EQ(32, section.dsBmih.biBitCount);
    const BYTE *bits = (const BYTE *)section.dsBm.bmBits;
    size_t size = (size_t)g_app.screenWidth * g_app.screenHeight * 4;
    size_t nonzero = 0;
    for (size_t i = 0; i < size; i++)
        nonzero += bits[i] != 0;
    EXPECT_EQ(0u, nonzero);
}

TEST_F(CanvasRepaint, TheScreenUnderTheWindowShowsThroughTheEmptyCanvas)
{
    int w = g_app.screenWidth, h = g_app.screenHeight;
    POINT probes[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}};
    for (POINT p : probes)
        EXPECT_EQ(backdrop, ScreenPixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(CanvasRepaint, AWholeScreenUpdateBlendsTheCanvasOverTheBackdrop)
{
    RECT opaque = {10, 10, 20, 20};
    PaintCanvas(opaque, 0, 0, 255, 255);
    // Half-covering white: 128 + 255 * (255 - 128) / 255 in every channel.
    RECT half = {30, 10, 40, 20};
    PaintCanvas(half, 128, 128, 128, 128);
    Repaint(window, NULL);

    EXPECT_TRUE(LooksLike(ScreenPixel(15, 15), RGB(255, 0, 0)));
    DWORD expected = Rgb(RGB(128 + 40 * 127 / 255, 128 + 80 * 127 / 255, 128 + 160 * 127 / 255));
    EXPECT_TRUE(NearColour(ScreenPixel(35, 15), expected, 8)) << std::hex << ScreenPixel(35, 15);
    EXPECT_EQ(backdrop, ScreenPixel(25, 15));
}

TEST_F(CanvasRepaint, AnUpdateOnePixelShortOfTheScreenOnlyValidates)
{
    RECT paint = {0, 0, 50, 50};
    PaintCanvas(paint, 0, 0, 255, 255);
    int w = g_app.screenWidth, h = g_app.screenHeight;
    RECT shortOf[] = {{1, 0, w, h}, {0, 1, w, h}, {0, 0, w - 1, h}, {0, 0, w, h - 1}};
    for (RECT rect : shortOf) {
        Repaint(window, &rect);
        RECT left;
        EXPECT_FALSE(GetUpdateRect(window, &left, FALSE));
        EXPECT_EQ(backdrop, ScreenPixel(25, 25));
    }
}

TEST_F(CanvasRepaint, APaintMessageWithNoUpdateRegionDrawsNothing)
{
    RECT paint = {0, 0, 50, 50};
    PaintCanvas(paint, 0, 0, 255, 255);
    ValidateRect(window, NULL);
    EXPECT_EQ(0, OverlayWndProc(window, WM_PAINT, 0, 0));
    SettleScreen();
    EXPECT_EQ(backdrop, ScreenPixel(25, 25));
}

TEST_F(CanvasRepaint, WhileTheChooserIsOpenEveryUpdateComesFromTheSnapshot)
{
    RECT paint = {0, 0, 50, 50};
    PaintCanvas(paint, 0, 0, 255, 255);
    HDC screen = GetDC(NULL);
    g_app.snapshotDC = CreateCompatibleDC(screen);
    g_app.snapshotBitmap = CreateCompatibleBitmap(screen, g_app.screenWidth, g_app.screenHeight);
    ReleaseDC(NULL, screen);
    SelectObject(g_app.snapshotDC, g_app.snapshotBitmap);
    RECT all = {0, 0, g_app.screenWidth, g_app.screenHeight};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(g_app.snapshotDC, &all, green);
    DeleteObject(green);
    g_app.chooserOpen = 1;

    RECT part = {100, 100, 110, 110};
    Repaint(window, &part);
    EXPECT_TRUE(LooksLike(ScreenPixel(105, 105), RGB(0, 255, 0)));
    EXPECT_EQ(backdrop, ScreenPixel(115, 105));
    Repaint(window, NULL);
    EXPECT_TRUE(LooksLike(ScreenPixel(25, 25), RGB(0, 255, 0)));

    g_app.chooserOpen = 0;
    DeleteDC(g_app.snapshotDC);
    DeleteObject(g_app.snapshotBitmap);
    g_app.snapshotDC = NULL;
    g_app.snapshotBitmap = NULL;
}
