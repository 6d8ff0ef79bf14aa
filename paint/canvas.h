// The canvas: the screen-sized premultiplied paint surface, and the paint handler.
#pragma once
#include <windows.h>

// Makes the empty canvas at the screen size, compatible with the window.
void CreateCanvas(HWND hwnd);
void ReleaseCanvas();

// Blends source over target for one rectangle, at the same place in both.
// Returns 1 when the blend succeeded.
int BlendCanvas(HDC target, HDC source, RECT rect);

// Draws one rectangle of the window as a whole repaint does: the backdrop,
// then the canvas blended over it. Returns 1 when the blend succeeded.
int DrawCanvasOverBackdrop(HDC window, RECT rect);

// The blend used for all paint: source-over with premultiplied per-pixel alpha.
BLENDFUNCTION PaintBlend();

// That blend, of a width-by-height block of source at sourceX, sourceY onto
// target at x, y. Returns 1 when it succeeded; 0, drawing nothing, also
// where the system lacks the blend.
int BlendPaint(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
               int sourceY);

// Fills a header for a zeroed, bottom-up 32-bit DIB of the given size.
void FillPaintBitmapInfo(BITMAPINFO *info, int width, int height);

LRESULT CanvasPaint(HWND hwnd, WPARAM wParam, LPARAM lParam);
