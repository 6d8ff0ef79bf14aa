// Spray strokes: the left button, the spray timer, mouse moves and the hiss.
#pragma once
#include <windows.h>

// The dab square of the given edge (the spray size scaled to the display)
// for a pointer at (x, y).
RECT DabSquare(int x, int y, int edge);

// The spray size one step up or down; values outside 13, 19, 25, 32 stay.
int LargerSpraySize(int size);
int SmallerSpraySize(int size);

LRESULT SprayPress(HWND hwnd);
// The dab step: one dab under the pointer while spraying.
LRESULT SprayDab(HWND hwnd);
// A move (with its key state) and a tick: a dab while the left button is
// held, else the end of the stroke, whose release went to another window.
LRESULT SprayMove(HWND hwnd, WPARAM keys);
LRESULT SprayTick(HWND hwnd);
LRESULT SprayRelease(HWND hwnd);

// The "+", "-" and "m" keys.
void SpraySizeUp();
void SpraySizeDown();
void ToggleMute();
