// The brush images: soft grey cones, one per spray size.
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
