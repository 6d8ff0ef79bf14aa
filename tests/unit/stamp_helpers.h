// Reading the canvas and the brush images back, for the stamp tests.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Canvas pixel at screen (x, y) as 0xAARRGGBB (its bytes blue, green, red, alpha).
DWORD CanvasPixel(int x, int y);

// Number of canvas pixels that are not all zero.
size_t PaintedCanvasPixels();

// A brush image as LoadBitmapA delivers it at the display's depth, each pixel
// widened to 8 bits a channel (by the bitmap's own masks at 16 bits) as
// 0x00RRGGBB, top row first. Empty on failure.
std::vector<DWORD> ReadBrush(HINSTANCE module, int resourceId, int size);

// What a white dab leaves on an empty canvas for a brush pixel: its channels
// as colour and its red channel as alpha.
DWORD WhitePaint(DWORD brushPixel);

// A temporary copy of this program whose bitmap resource holds a grey square
// image with one level per row (top row first), loaded as a data file.
// Returns null on failure; *path receives the copy's name for FreeBrushModule.
HMODULE LoadBrushModule(int resourceId, const std::vector<BYTE> &rowLevels, std::string *path);
void FreeBrushModule(HMODULE module, const std::string &path);
