// The spray stamp: one dab of the current colour.
#pragma once
#include <windows.h>

// Blends one dab at the square onto the target, and shows it on the overlay
// window: blended onto it, or at 16 bits drawn anew from the canvas laid
// over the backdrop.
// Returns 1 when it reached both.
int StampSpray(HDC target, RECT square);

