// Pixel rules of the spray stamp.
#include "paint/stamp_pixels.h"
#include "paint/device_format.h"
#include "res/resource.h"
#include <algorithm>

int BrushIdForSize(int spraySize)
{
    switch (spraySize) {
    case 32: return IDB_BRUSH_32;
    case 19: return IDB_BRUSH_19;
    case 13: return IDB_BRUSH_13;
    case 25: return IDB_BRUSH_25;
    default: return 0;
    }
}

static StampPixel Tint(int blue, int green, int red, COLORREF colour)
{
    // The red channel is the density: it becomes the coverage. A colour
    // channel above it would not be premultiplied paint (5-6-5 green has a
    // finer field than red), so each is held to it.
    int alpha = red;
    StampPixel pixel;
    pixel.blue = (BYTE)std::min(alpha, blue * GetBValue(colour) / 255);
    pixel.green = (BYTE)std::min(alpha, green * GetGValue(colour) / 255);
    pixel.red = (BYTE)std::min(alpha, red * GetRValue(colour) / 255);
    pixel.alpha = (BYTE)alpha;
    return pixel;
}

StampPixel TintPixel32(const BYTE *brush, COLORREF colour)
{
    return Tint(brush[0], brush[1], brush[2], colour);
}

StampPixel TintPixel16(WORD brush, COLORREF colour)
{
    int red = (brush >> 11) * 255 / 31;
    int green = ((brush >> 5) & 63) * 255 / 63;
    int blue = (brush & 31) * 255 / 31;
    return Tint(blue, green, red, colour);
}

StampPixel TintPixel555(WORD brush, COLORREF colour)
{
    int red = ((brush >> 10) & 31) * 255 / 31;
    int green = ((brush >> 5) & 31) * 255 / 31;
    int blue = (brush & 31) * 255 / 31;
    return Tint(blue, green, red, colour);
}

BrushLayout BrushLayoutFor(int depth, DWORD redMask)
{
    if (depth == 32)
        return kBrush32;
    if (depth == 16)
        return redMask == kRedMask555 ? kBrush555 : kBrush565;
    return kBrushUnknown;
}

int StampPixelOnScreen(RECT square, int size, int r, int c, int screenWidth, int screenHeight)
{
    int x = square.left + c;
    int y = square.top + (size - 1 - r);
    return x >= 0 && x < screenWidth && y >= 0 && y < screenHeight;
}

static StampPixel BrushPixel(const BYTE *brush, int index, BrushLayout layout, COLORREF colour)
{
    if (layout == kBrush32)
        return TintPixel32(brush + (size_t)index * 4, colour);
    const BYTE *word = brush + (size_t)index * 2;
    WORD p = (WORD)(word[0] | word[1] << 8);
    return layout == kBrush555 ? TintPixel555(p, colour) : TintPixel16(p, colour);
}

// Where stamp pixel i samples the brush, in 256ths of a brush pixel: the
// centres of both line up, and the ends are held to the brush's edge pixels.
static int BrushPosition(int i, int edge, int size)
{
    int position = (2 * i + 1) * size * 128 / edge - 128;
    return std::max(0, std::min(position, (size - 1) * 256));
}

static BYTE Mix(int a, int b, int weight)
{
    return (BYTE)((a * (256 - weight) + b * weight + 128) >> 8);
}

// Mixing premultiplied pixels keeps every channel within its alpha.
static StampPixel MixPixels(StampPixel a, StampPixel b, int weight)
{
    StampPixel mixed = {Mix(a.blue, b.blue, weight), Mix(a.green, b.green, weight),
                        Mix(a.red, b.red, weight), Mix(a.alpha, b.alpha, weight)};
    return mixed;
}

// The brush stretched to the stamp: the tinted pixels around the sample
// point, mixed by their distance (bilinear), so that a larger dab stays soft.
static StampPixel SampledPixel(const StampPixel *tinted, int size, int r, int c, int edge)
{
    int y = BrushPosition(r, edge, size), x = BrushPosition(c, edge, size);
    int r0 = y >> 8, c0 = x >> 8;
    int r1 = std::min(r0 + 1, size - 1), c1 = std::min(c0 + 1, size - 1);
    StampPixel top = MixPixels(tinted[r0 * size + c0], tinted[r0 * size + c1], x & 255);
    StampPixel bottom = MixPixels(tinted[r1 * size + c0], tinted[r1 * size + c1], x & 255);
    return MixPixels(top, bottom, y & 255);
}

void FillScaledStamp(BYTE *stamp, int edge, const BYTE *brush, int size, BrushLayout layout,
                     COLORREF colour, RECT square, int screenWidth, int screenHeight)
{
    if (layout == kBrushUnknown || size <= 0 || size > kLargestSpraySize)
        return;
    // Each brush pixel tinted once, however many stamp pixels sample it.
    StampPixel tinted[kLargestSpraySize * kLargestSpraySize];
    for (int i = 0; i < size * size; i++)
        tinted[i] = BrushPixel(brush, i, layout, colour);
    for (int r = 0; r < edge; r++)
        for (int c = 0; c < edge; c++) {
            if (!StampPixelOnScreen(square, edge, r, c, screenWidth, screenHeight))
                continue;
            StampPixel pixel = edge == size ? tinted[r * size + c]
                                            : SampledPixel(tinted, size, r, c, edge);
            BYTE *to = stamp + ((size_t)r * edge + c) * 4;
            to[0] = pixel.blue;
            to[1] = pixel.green;
            to[2] = pixel.red;
            to[3] = pixel.alpha;
        }
}

void FillStamp(BYTE *stamp, const BYTE *brush, int size, BrushLayout layout, COLORREF colour,
               RECT square, int screenWidth, int screenHeight)
{
    FillScaledStamp(stamp, size, brush, size, layout, colour, square, screenWidth, screenHeight);
}
