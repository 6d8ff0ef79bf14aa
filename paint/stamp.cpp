// The spray stamp: one dab of the current colour, built from the brush image
// of the current spray size, blended onto the target and shown on the window.
#include "paint/stamp.h"
#include "core/display_scale.h"
#include "core/state.h"
#include "paint/canvas.h"
#include "paint/device_format.h"
#include "paint/stamp_pixels.h"

// The platform objects one dab makes; all released before it returns.
struct StampObjects {
    HBITMAP brush;
    HDC stampDC;
    HBITMAP stampBitmap;
};

static int BlendStamp(HDC onto, HDC stampDC, RECT square, int size)
{
    return BlendPaint(onto, square.left, square.top, size, size, stampDC, 0, 0);
}

// The part of the square on the screen, drawn from the canvas over the
// backdrop (the blend refuses a rectangle that leaves the canvas).
static int RedrawSquare(HDC window, RECT square)
{
    RECT screen = {0, 0, g_app.screenWidth, g_app.screenHeight};
    RECT shown;
    if (!IntersectRect(&shown, &square, &screen))
        return 1;
    return DrawCanvasOverBackdrop(window, shown);
}

// At 16 bits a faint dab blended onto the window adds a little that the 5-bit
// red and blue fields round away and the 6-bit green field keeps, so light
// paint turned green at its rim, dab by dab. There the square is drawn anew
// from the canvas, which rounds once. Without a backdrop it is blended as at 32.
static int DrawOntoWindow(HDC stampDC, RECT square, int size, int depth)
{
    // Without a window, GetDC would hand out the whole screen.
    if (!g_app.overlay)
        return 0;
    HDC window = GetDC(g_app.overlay);
    if (!window)
        return 0;
    int drawn = depth == 16 && g_app.backdropDC ? RedrawSquare(window, square)
                                                : BlendStamp(window, stampDC, square, size);
    ReleaseDC(g_app.overlay, window);
    return drawn;
}

// The depth in which LoadBitmapA delivered the brush: the display's. Asked
// of the brush itself, which is cheap, where the display depth of a device
// context costs about a tenth of a dab under Wine.
static int BrushDepth(HBITMAP brush)
{
    BITMAP info;
    return GetObjectA(brush, sizeof info, &info) ? info.bmBitsPixel : 0;
}

// The steps from loading the brush to drawing on the window: the brush of the
// spray size, stretched onto a stamp of the scaled edge. Returns 1 when the
// dab reached both target and window; what it made is left in *made.
static int LayDab(StampObjects *made, HDC target, RECT square, int size, int edge, int brushId)
{
    made->brush = LoadBitmapA(g_app.instance, MAKEINTRESOURCEA(brushId));
    if (!made->brush)
        return 0;
    // Zeroed, so that pixels an image might lack read as no paint.
    BYTE brushBits[kLargestSpraySize * kLargestSpraySize * 4] = {};
    if (GetBitmapBits(made->brush, size * size * 4, brushBits) == 0)
        return 0;

    made->stampDC = CreateCompatibleDC(target);
    if (!made->stampDC)
        return 0;
    BITMAPINFO info;
    FillPaintBitmapInfo(&info, edge, edge);
    void *stampBits = NULL;
    made->stampBitmap = CreateDIBSection(made->stampDC, &info, DIB_RGB_COLORS, &stampBits, NULL, 0);
    if (!made->stampBitmap || !stampBits)
        return 0;
    SelectObject(made->stampDC, made->stampBitmap);

    if (square.bottom - square.top != edge || square.right - square.left != edge)
        return 0;
    int depth = BrushDepth(made->brush);
    DWORD redMask = depth == 16 ? DeviceRedMask(target, made->brush) : 0;
    FillScaledStamp((BYTE *)stampBits, edge, brushBits, size, BrushLayoutFor(depth, redMask),
                    g_app.currentColour, square, g_app.screenWidth, g_app.screenHeight);

    if (!BlendStamp(target, made->stampDC, square, edge))
        return 0;
    return DrawOntoWindow(made->stampDC, square, edge, depth);
}

static void ReleaseStamp(StampObjects *made)
{
    if (made->stampDC)
        DeleteDC(made->stampDC);
    if (made->stampBitmap)
        DeleteObject(made->stampBitmap);
    if (made->brush)
        DeleteObject(made->brush);
}

int StampSpray(HDC target, RECT square)
{
    int size = g_settings.spraySize;
    int brushId = BrushIdForSize(size);
    if (!brushId)
        return 0;
    StampObjects made = {};
    int drawn = LayDab(&made, target, square, size, ScaledLength(size), brushId);
    ReleaseStamp(&made);
    return drawn;
}
