// Spray strokes: the left button, the spray timer, mouse moves and the hiss.
#pragma once
#include <windows.h>

// The dab square of the given spray size for a pointer at (x, y).
RECT DabSquare(int x, int y, int spraySize);

// The spray size one step up or down; values outside 13, 19, 25, 32 stay.
int LargerSpraySize(int size);
int SmallerSpraySize(int size);

LRESULT SprayPress(HWND hwnd);
LRESULT SprayDab(HWND hwnd);
LRESULT SprayRelease(HWND hwnd);

// The "+", "-" and "m" keys.
void SpraySizeUp();
void SpraySizeDown();
void ToggleMute();
