// The spray stamp: one dab of the current colour.
#pragma once
#include <windows.h>

// Blends one dab at the square onto the target, and shows it on the overlay
// window: blended onto it, or at 16 bits drawn anew from the target laid
// over the backdrop.
// Returns 1 when it reached both.
int StampSpray(HDC target, RECT square);

// Draws the on-screen part of the square onto the window from the canvas
// laid over the backdrop, as a whole repaint does: how a dab reaches a
// 16-bit window. Returns 1 unless a step failed.
int ComposeOntoWindow(HDC window, HDC canvas, RECT square);
