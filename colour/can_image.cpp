// Loading the can images and the pixel work of tinting and mirroring.
#include "colour/can_image.h"
#include "paint/device_format.h"
#include <stdlib.h>
#include <string.h>

int CanImageFor(COLORREF colour)
{
    int light = GetRValue(colour) > 128 || GetGValue(colour) > 128 || GetBValue(colour) > 128;
    return light ? IDB_CAN_LIGHT : IDB_CAN_DARK;
}

HPALETTE PaletteFromDib(const BITMAPINFOHEADER *dib, int *count)
{
    int n = dib->biBitCount <= 8 ? 1 << dib->biBitCount : 0;
    if (dib->biClrUsed)
        n = (int)dib->biClrUsed;
    *count = n;
    if (n == 0)
        return NULL;
    size_t size = sizeof(LOGPALETTE) + (size_t)n * sizeof(PALETTEENTRY);
    LOGPALETTE *logical = (LOGPALETTE *)calloc(1, size);
    if (!logical)
        return NULL;
    logical->palVersion = 0x300;
    logical->palNumEntries = (WORD)n;
    // The colour table follows the 40-byte header directly.
    const RGBQUAD *table = (const RGBQUAD *)((const BYTE *)dib + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < n; i++) {
        logical->palPalEntry[i].peRed = table[i].rgbRed;
        logical->palPalEntry[i].peGreen = table[i].rgbGreen;
        logical->palPalEntry[i].peBlue = table[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    HPALETTE palette = CreatePalette(logical);
    free(logical);
    return palette;
}

static const BITMAPINFOHEADER *LockDibResource(HINSTANCE instance, int id, HGLOBAL *loaded)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), (LPCSTR)RT_BITMAP);
    if (!found)
        return NULL;
    *loaded = LoadResource(instance, found);
    if (!*loaded)
        return NULL;
    return (const BITMAPINFOHEADER *)LockResource(*loaded);
}

HBITMAP LoadDibResource(HINSTANCE instance, int id, HPALETTE *palette)
{
    HGLOBAL loaded = NULL;
    const BITMAPINFOHEADER *dib = LockDibResource(instance, id, &loaded);
    if (!dib)
        return NULL;
    HDC screen = GetDC(NULL);
    if (!screen) {
        FreeResource(loaded);
        return NULL;
    }

    HBITMAP bitmap = NULL;
    int count = 0;
    *palette = PaletteFromDib(dib, &count);
    if (*palette) {
        if (!SelectPalette(screen, *palette, FALSE) || RealizePalette(screen) == GDI_ERROR)
            goto done;
    }
    bitmap = CreateDIBitmap(screen, dib, CBM_INIT, (const BYTE *)dib + dib->biSize + 4 * count,
                            (const BITMAPINFO *)dib, DIB_RGB_COLORS);
done:
    ReleaseDC(NULL, screen);
    FreeResource(loaded);
    return bitmap;
}

// The display depth and, when redMask is given, the bitmap's own red mask at
// 16 bits, read through one screen context. Fails when the context cannot be
// had or released.
static int ReadPixelFormat(HBITMAP bitmap, int *depth, DWORD *redMask)
{
    HDC screen = GetDC(NULL);
    if (!screen)
        return 0;
    *depth = GetDeviceCaps(screen, BITSPIXEL);
    if (redMask)
        *redMask = *depth == 16 ? DeviceRedMask(screen, bitmap) : 0;
    return ReleaseDC(NULL, screen) != 0;
}

static WORD ToWord16(COLORREF colour, DWORD redMask)
{
    if (redMask == kRedMask555)
        return (WORD)(((GetRValue(colour) >> 3) << 10) | ((GetGValue(colour) >> 3) << 5)
                      | (GetBValue(colour) >> 3));
    return (WORD)(((GetRValue(colour) >> 3) << 11) | ((GetGValue(colour) >> 2) << 5)
                  | (GetBValue(colour) >> 3));
}

int TintPixels(BYTE *bits, int byteCount, int depth, DWORD redMask, COLORREF key,
               COLORREF colour)
{
    int count = 0;
    if (depth == 32) {
        for (int i = 0; i < byteCount / 4; i++) {
            BYTE *pixel = bits + 4 * i;  // blue, green, red, unused
            if (pixel[2] != GetRValue(key) || pixel[1] != GetGValue(key)
                || pixel[0] != GetBValue(key))
                continue;
            pixel[2] = GetRValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[0] = GetBValue(colour);
            count++;
        }
    } else if (depth == 16) {
        WORD keyWord = ToWord16(key, redMask), newWord = ToWord16(colour, redMask);
        for (int i = 0; i < byteCount / 2; i++) {
            WORD pixel = (WORD)(bits[2 * i] | bits[2 * i + 1] << 8);
            if (pixel != keyWord)
                continue;
            bits[2 * i] = (BYTE)newWord;
            bits[2 * i + 1] = (BYTE)(newWord >> 8);
            count++;
        }
    }
    return count;
}

void MirrorPixels(BYTE *bits, int byteCount, int depth)
{
    int size = depth == 32 ? 4 : depth == 16 ? 2 : 0;
    if (!size)
        return;
    for (int i = 0; i < byteCount / size; i++) {
        int c = i % kCanEdge;
        if (c >= kCanEdge / 2)
            continue;
        BYTE *left = bits + size * i;
        BYTE *right = bits + size * (i - c + (kCanEdge - 1 - c));
        BYTE swap[4];
        memcpy(swap, left, size);
        memcpy(left, right, size);
        memcpy(right, swap, size);
    }
}

int TintImage(HBITMAP bitmap, COLORREF key, COLORREF colour)
{
    BYTE bits[kCanImageBytes];
    int m = (int)GetBitmapBits(bitmap, sizeof bits, bits);
    int depth;
    DWORD redMask;
    if (m == 0 || !ReadPixelFormat(bitmap, &depth, &redMask))
        return -1;
    int count = TintPixels(bits, m, depth, redMask, key, colour);
    if (!SetBitmapBits(bitmap, (DWORD)m, bits))
        return -1;
    return count;
}

int MirrorImage(HBITMAP bitmap)
{
    BYTE bits[kCanImageBytes];
    int m = (int)GetBitmapBits(bitmap, sizeof bits, bits);
    int depth;
    // Swapping whole pixels needs no layout.
    if (m == 0 || !ReadPixelFormat(bitmap, &depth, NULL))
        return 0;
    MirrorPixels(bits, m, depth);
    return SetBitmapBits(bitmap, (DWORD)m, bits) != 0;
}

// The source pixel under the centre of target pixel i.
static int SourceIndex(int i, int fromEdge, int toEdge)
{
    return (2 * i + 1) * fromEdge / (2 * toEdge);
}

void ScalePixels(const BYTE *from, int fromEdge, BYTE *to, int toEdge, int pixelBytes)
{
    for (int r = 0; r < toEdge; r++)
        for (int c = 0; c < toEdge; c++) {
            size_t source = (size_t)SourceIndex(r, fromEdge, toEdge) * fromEdge
                            + SourceIndex(c, fromEdge, toEdge);
            memcpy(to + ((size_t)r * toEdge + c) * pixelBytes, from + source * pixelBytes,
                   pixelBytes);
        }
}

int ScaledHotSpot(int spot, int edge)
{
    // The first target pixel whose centre lies at or past the source pixel's
    // left edge: (i + 1/2) * 32 / edge >= spot.
    return (2 * spot * edge + kCanEdge - 1) / (2 * kCanEdge);
}

// Device bitmaps pad their rows to whole words, which rows of 16 and 32 bits
// already fill: their raw bits are packed squares at every edge.
HBITMAP ScaleImage(HBITMAP bitmap, int edge)
{
    BYTE bits[kCanImageBytes];
    int m = (int)GetBitmapBits(bitmap, sizeof bits, bits);
    int depth;
    if (m == 0 || !ReadPixelFormat(bitmap, &depth, NULL) || (depth != 16 && depth != 32))
        return NULL;
    int pixelBytes = depth / 8;
    if (m != kCanEdge * kCanEdge * pixelBytes || edge <= 0)
        return NULL;
    size_t scaledBytes = (size_t)edge * edge * pixelBytes;
    BYTE *scaled = (BYTE *)malloc(scaledBytes);
    if (!scaled)
        return NULL;
    ScalePixels(bits, kCanEdge, scaled, edge, pixelBytes);

    HBITMAP result = NULL;
    HDC screen = GetDC(NULL);
    if (screen) {
        result = CreateCompatibleBitmap(screen, edge, edge);
        ReleaseDC(NULL, screen);
    }
    if (result && !SetBitmapBits(result, (DWORD)scaledBytes, scaled)) {
        DeleteObject(result);
        result = NULL;
    }
    free(scaled);
    return result;
}

int ScaleCanImages(HBITMAP *can, HBITMAP *mask, int edge)
{
    if (edge == kCanEdge)
        return kCanEdge;
    HBITMAP scaledCan = ScaleImage(*can, edge);
    HBITMAP scaledMask = scaledCan ? ScaleImage(*mask, edge) : NULL;
    if (!scaledMask) {
        if (scaledCan)
            DeleteObject(scaledCan);
        return kCanEdge;
    }
    DeleteObject(*can);
    DeleteObject(*mask);
    *can = scaledCan;
    *mask = scaledMask;
    return edge;
}
