// The display's scale: its DPI, read at start-up and again when it changes,
// and the one helper that scales lengths on the screen by it.
#pragma once
#include <windows.h>

enum {
    kUnscaledDpi = 96,         // 100 %: lengths stay as they are
    kUnscaledCursorEdge = 32,  // the system's pointers at 100 %
    kLargestCursorEdge = 256,
};

// The DPI of the window's display, or of the system's before a window
// exists: asked of user32 where it can tell, else of the screen context.
UINT ReadDisplayDpi(HWND window);
// Reads it into the process-wide state.
void TakeDisplayDpi(HWND window);

// A length at 96 DPI scaled to the given DPI, rounded to the nearest pixel.
// Here and below, a DPI of 0 (not read yet) stands for 96.
int ScaleLength(int length, UINT dpi);
// The same at the display's current DPI.
int ScaledLength(int length);

// The edge of the system's pointers at the given DPI: larger where the
// display is scaled or the user enlarged them.
int CursorEdgeForDpi(UINT dpi);
