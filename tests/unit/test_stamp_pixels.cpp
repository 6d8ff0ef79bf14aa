// The spray stamp's pure pixel rules: brush choice, tinting, layout, screen test and FillStamp.
#include <gtest/gtest.h>
#include <cstring>
#include "paint/device_format.h"
#include "paint/stamp_pixels.h"

static void ExpectPixel(StampPixel pixel, int blue, int green, int red, int alpha)
{
    EXPECT_EQ(blue, pixel.blue);
    EXPECT_EQ(green, pixel.green);
    EXPECT_EQ(red, pixel.red);
    EXPECT_EQ(alpha, pixel.alpha);
}

// A 5-6-5 word with red field 16, green field 32 and blue field 16.
static const WORD kMidWord = 16 << 11 | 32 << 5 | 16;

TEST(StampPixels, EachSpraySizeHasItsOwnBrushImage)
{
    EXPECT_EQ(124, BrushIdForSize(32));
    EXPECT_EQ(125, BrushIdForSize(19));
    EXPECT_EQ(146, BrushIdForSize(13));
    EXPECT_EQ(147, BrushIdForSize(25));
    for (int other : {0, 1, 12, 18, 20, 31, 33, -19, 124})
        EXPECT_EQ(0, BrushIdForSize(other)) << other;
}

TEST(StampPixels, AGreyBrushPixelBecomesPremultipliedPaintAt32Bits)
{
    const BYTE grey200[] = {200, 200, 200, 255};
    ExpectPixel(TintPixel32(grey200, RGB(100, 50, 25)), 19, 39, 78, 200);
    const BYTE full[] = {255, 255, 255, 255};
    ExpectPixel(TintPixel32(full, RGB(255, 255, 255)), 255, 255, 255, 255);
    // The fourth byte carries nothing; each channel scales its own colour channel.
    const BYTE coloured[] = {10, 20, 200, 0};
    ExpectPixel(TintPixel32(coloured, RGB(255, 255, 255)), 10, 20, 200, 200);
}

TEST(StampPixels, A16BitWordIsWidenedThenTinted)
{
    ExpectPixel(TintPixel16(kMidWord, RGB(100, 50, 25)), 12, 25, 51, 131);
    ExpectPixel(TintPixel16(kMidWord, RGB(255, 255, 255)), 131, 129, 131, 131);
    ExpectPixel(TintPixel16(0xFFFF, RGB(255, 255, 255)), 255, 255, 255, 255);
}

TEST(StampPixels, A555WordIsWidenedThenTinted)
{
    // Red, green and blue fields 16 each.
    const WORD mid555 = 16 << 10 | 16 << 5 | 16;
    ExpectPixel(TintPixel555(mid555, RGB(100, 50, 25)), 12, 25, 51, 131);
    ExpectPixel(TintPixel555(0x7FFF, RGB(255, 255, 255)), 255, 255, 255, 255);
}

TEST(StampPixels, TheDepthAndTheBrushMasksChooseTheRule)
{
    EXPECT_EQ(kBrush32, BrushLayoutFor(32, 0));
    EXPECT_EQ(kBrush565, BrushLayoutFor(16, 0xF800));
    EXPECT_EQ(kBrush555, BrushLayoutFor(16, 0x7C00));
    // When the platform does not tell, 16-bit brushes are 5-6-5.
    EXPECT_EQ(kBrush565, BrushLayoutFor(16, 0));
    for (int depth : {0, 1, 4, 8, 15, 24})
        EXPECT_EQ(kBrushUnknown, BrushLayoutFor(depth, 0)) << depth;
}

TEST(StampPixels, BlackBrushPixelsAddNoPaint)
{
    const BYTE black[] = {0, 0, 0, 255};
    ExpectPixel(TintPixel32(black, RGB(255, 255, 255)), 0, 0, 0, 0);
    ExpectPixel(TintPixel16(0, RGB(255, 255, 255)), 0, 0, 0, 0);
    ExpectPixel(TintPixel555(0, RGB(255, 255, 255)), 0, 0, 0, 0);
}

TEST(StampPixels, BlackPaintKeepsTheDensityAsCoverage)
{
    const BYTE grey200[] = {200, 200, 200, 255};
    ExpectPixel(TintPixel32(grey200, RGB(0, 0, 0)), 0, 0, 0, 200);
    ExpectPixel(TintPixel16(kMidWord, RGB(0, 0, 0)), 0, 0, 0, 131);
}

TEST(StampPixels, OnlyPixelsLandingOnTheScreenPassTheScreenTest)
{
    // Left edge at -5 on a 100 x 50 screen: columns 0 to 4 lie left of it.
    RECT left = {-5, 10, 14, 29};
    EXPECT_FALSE(StampPixelOnScreen(left, 19, 9, 4, 100, 50));
    EXPECT_TRUE(StampPixelOnScreen(left, 19, 9, 5, 100, 50));
    // Right edge 3 past the screen: the last three columns lie off it.
    RECT right = {84, 10, 103, 29};
    EXPECT_TRUE(StampPixelOnScreen(right, 19, 9, 15, 100, 50));
    EXPECT_FALSE(StampPixelOnScreen(right, 19, 9, 16, 100, 50));
    // Bottom edge 3 past the screen: brush rows 0 to 2 land below it.
    RECT bottom = {10, 34, 29, 53};
    EXPECT_FALSE(StampPixelOnScreen(bottom, 19, 2, 9, 100, 50));
    EXPECT_TRUE(StampPixelOnScreen(bottom, 19, 3, 9, 100, 50));
    // Top edge at -2: the two last brush rows land above the screen.
    RECT top = {10, -2, 29, 17};
    EXPECT_TRUE(StampPixelOnScreen(top, 19, 16, 9, 100, 50));
    EXPECT_FALSE(StampPixelOnScreen(top, 19, 17, 9, 100, 50));
}

TEST(StampFill, BrushRowsGoToTheSameRowsOfStampMemory)
{
    // A 3 x 3 brush with a different grey in every pixel, top row first.
    BYTE brush[3 * 3 * 4];
    for (int i = 0; i < 9; i++)
        memset(brush + i * 4, 10 * (i + 1), 4);
    BYTE stamp[3 * 3 * 4] = {};
    RECT square = {100, 100, 103, 103};
    FillStamp(stamp, brush, 3, kBrush32, RGB(255, 255, 255), square, 1024, 768);
    const int alpha[9] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    for (int i = 0; i < 9; i++) {
        EXPECT_EQ(alpha[i], stamp[i * 4 + 3]) << i;
        EXPECT_EQ(alpha[i], stamp[i * 4 + 2]) << i;
    }
}

TEST(StampFill, SixteenBitBrushesAreReadAsLittleEndianWords)
{
    const BYTE brush[] = {0x10, 0x84, 0xFF, 0xFF, 0x00, 0x00, 0x10, 0x84};
    BYTE stamp[2 * 2 * 4] = {};
    RECT square = {0, 0, 2, 2};
    FillStamp(stamp, brush, 2, kBrush565, RGB(255, 255, 255), square, 1024, 768);
    const BYTE expected[] = {131, 129, 131, 131, 255, 255, 255, 255,
                             0,   0,   0,   0,   131, 129, 131, 131};
    EXPECT_EQ(0, memcmp(expected, stamp, sizeof stamp));

    const BYTE brush555[] = {0x10, 0x42, 0xFF, 0x7F, 0x00, 0x00, 0x10, 0x42};
    BYTE stamp555[2 * 2 * 4] = {};
    FillStamp(stamp555, brush555, 2, kBrush555, RGB(255, 255, 255), square, 1024, 768);
    const BYTE expected555[] = {131, 131, 131, 131, 255, 255, 255, 255,
                                0,   0,   0,   0,   131, 131, 131, 131};
    EXPECT_EQ(0, memcmp(expected555, stamp555, sizeof stamp555));
}

TEST(StampFill, PixelsOffTheScreenAreNotWritten)
{
    BYTE brush[4 * 4 * 4];
    memset(brush, 255, sizeof brush);
    BYTE stamp[4 * 4 * 4];
    memset(stamp, 0xEE, sizeof stamp);
    // A 10 x 10 screen; the square hangs two columns off the left and two
    // rows off the bottom, where brush rows 0 and 1 land.
    RECT square = {-2, 8, 2, 12};
    FillStamp(stamp, brush, 4, kBrush32, RGB(255, 255, 255), square, 10, 10);
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) {
            BYTE expected = (r >= 2 && c >= 2) ? 255 : 0xEE;
            EXPECT_EQ(expected, stamp[(r * 4 + c) * 4 + 3]) << r << "," << c;
        }
}

TEST(StampFill, OtherDepthsLeaveTheStampTransparent)
{
    BYTE brush[4 * 4 * 4];
    memset(brush, 255, sizeof brush);
    RECT square = {0, 0, 4, 4};
    BYTE stamp[4 * 4 * 4] = {};
    FillStamp(stamp, brush, 4, BrushLayoutFor(24, 0), RGB(255, 255, 255), square, 1024, 768);
    for (BYTE b : stamp)
        ASSERT_EQ(0, b);
}

TEST(StampPixels, NoColourChannelExceedsItsAlpha)
{
    // 5-6-5: red field 16 widens to 131, green field 34 to 137.
    ExpectPixel(TintPixel16(16 << 11 | 34 << 5 | 16, RGB(255, 255, 255)), 131, 131, 131, 131);
    // 5-5-5: red field 16 widens to 131, green field 17 to 139.
    ExpectPixel(TintPixel555(16 << 10 | 17 << 5 | 16, RGB(255, 255, 255)), 131, 131, 131, 131);
    const BYTE greenish[] = {10, 220, 200, 0};
    ExpectPixel(TintPixel32(greenish, RGB(255, 255, 255)), 10, 200, 200, 200);
    // A valid pixel stays as the rule makes it.
    ExpectPixel(TintPixel16(16 << 11 | 34 << 5 | 16, RGB(100, 50, 25)), 12, 26, 51, 131);
}

// A 16-bit DIB section with the given red, green and blue masks.
static HBITMAP Make16BitBitmap(DWORD red, DWORD green, DWORD blue)
{
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 4;
    info.header.biHeight = 4;
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = red;
    info.masks[1] = green;
    info.masks[2] = blue;
    void *bits = NULL;
    return CreateDIBSection(NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS, &bits, NULL, 0);
}

TEST(StampPixels, A16BitBitmapsMasksChooseItsLayout)
{
    HDC screen = GetDC(NULL);
    HBITMAP wide = Make16BitBitmap(0xF800, 0x07E0, 0x001F);
    HBITMAP narrow = Make16BitBitmap(0x7C00, 0x03E0, 0x001F);
    ASSERT_TRUE(wide && narrow);
    EXPECT_EQ(kBrush565, BrushLayoutFor(16, DeviceRedMask(screen, wide)));
    EXPECT_EQ(kBrush555, BrushLayoutFor(16, DeviceRedMask(screen, narrow)));
    DeleteObject(wide);
    DeleteObject(narrow);
    ReleaseDC(NULL, screen);

    // A header without masks (Wine never reports one, Windows may) is 5-5-5;
    // other depths have no 16-bit layout.
    BITMAPINFOHEADER header = {};
    header.biBitCount = 16;
    header.biCompression = BI_RGB;
    EXPECT_EQ(kBrush555, BrushLayoutFor(16, RedMaskOfHeader(header, 0)));
    header.biCompression = BI_BITFIELDS;
    EXPECT_EQ(kBrush565, BrushLayoutFor(16, RedMaskOfHeader(header, 0xF800)));
    header.biBitCount = 32;
    EXPECT_EQ(0u, RedMaskOfHeader(header, 0xFF0000));
}
