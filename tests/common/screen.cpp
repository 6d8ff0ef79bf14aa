// Screen read-back for the tests.
#include "common/screen.h"

// Pixels of any device context, converted to 32 bits as the screen read-back does.
static std::vector<DWORD> ReadPixels(HDC source, int left, int top, int width, int height)
{
    std::vector<DWORD> pixels((size_t)width * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, to index rows naturally
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HDC copy = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    const DWORD *read = (const DWORD *)bits;
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = read[i] & 0x00FFFFFF;
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    return pixels;
}

std::vector<DWORD> ReadScreen(int left, int top, int width, int height)
{
    HDC screen = GetDC(NULL);
    std::vector<DWORD> pixels = ReadPixels(screen, left, top, width, height);
    ReleaseDC(NULL, screen);
    return pixels;
}

DWORD ScreenPixel(int x, int y)
{
    return ReadScreen(x, y, 1, 1)[0];
}

int DisplayDepth()
{
    HDC screen = GetDC(NULL);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(NULL, screen);
    return depth;
}

DWORD Rgb(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool LooksLike(DWORD pixel, COLORREF colour)
{
    // 5-6-5 pixels lose the low bits of each channel, and Wine's paths back
    // to 8 bits do not all widen them alike.
    return NearColour(pixel, Rgb(colour), DisplayDepth() == 16 ? 8 : 0);
}

int CountLike(const std::vector<DWORD> &pixels, COLORREF colour)
{
    int count = 0;
    for (DWORD pixel : pixels)
        count += LooksLike(pixel, colour);
    return count;
}

bool NearColour(DWORD pixel, DWORD expected, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = (int)((pixel >> shift) & 0xFF);
        int b = (int)((expected >> shift) & 0xFF);
        if (a - b > tolerance || b - a > tolerance)
            return false;
    }
    return true;
}
