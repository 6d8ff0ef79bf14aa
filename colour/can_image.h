// The spray-can images: loading a bitmap resource as a device bitmap, and the
// pixel work on it (tinting the can, mirroring can and mask).
#pragma once
#include <windows.h>
#include "res/resource.h"

enum {
    kCanEdge = 32,          // the images' edge, in pixels
    kCanImageBytes = 4096,  // one 32 x 32 image at 32 bits per pixel
};

// The can image for a colour: the light one when any channel exceeds 128.
int CanImageFor(COLORREF colour);

// Loads bitmap resource id as a device bitmap compatible with the screen.
// *palette receives the palette made from its colour table, or null; the
// caller releases both, on failure too.
HBITMAP LoadDibResource(HINSTANCE instance, int id, HPALETTE *palette);

// A logical palette from a packed DIB's colour table, or null when it has
// none; *count receives the number of colour-table entries.
HPALETTE PaletteFromDib(const BITMAPINFOHEADER *dib, int *count);

// Replaces every pixel equal to key by colour. Returns the number replaced,
// or -1 on failure.
int TintImage(HBITMAP bitmap, COLORREF key, COLORREF colour);

// Mirrors a 32-pixel-wide device bitmap left to right. Returns nonzero on success.
int MirrorImage(HBITMAP bitmap);

// A copy of a 32 x 32 device bitmap scaled to edge x edge by nearest pixels,
// so that outlines stay sharp; null on failure. The caller deletes both.
HBITMAP ScaleImage(HBITMAP bitmap, int edge);

// Scales the can and its mask to edge x edge together. Where either cannot be
// scaled (at depths other than 16 and 32 bits), both stay as loaded, at 32.
// Returns the edge they have.
int ScaleCanImages(HBITMAP *can, HBITMAP *mask, int edge);

// The pixel rules behind them, on raw device bits of the given depth.
// At 16 bits, redMask tells 5-5-5 words (0x7C00) from 5-6-5 ones (anything
// else). Other depths change nothing.
int TintPixels(BYTE *bits, int byteCount, int depth, DWORD redMask, COLORREF key,
               COLORREF colour);
void MirrorPixels(BYTE *bits, int byteCount, int depth);
// Scales square rows-packed pixels of the given byte size from one edge to
// another: each target pixel takes the source pixel it falls on.
void ScalePixels(const BYTE *from, int fromEdge, BYTE *to, int toEdge, int pixelBytes);
// Where a pixel of the 32 x 32 can lies in its copy at the edge: the first
// target pixel that shows it. For the hot spot.
int ScaledHotSpot(int spot, int edge);
