// The overlay window itself: its class name, by which a second start finds
// it, and its creation, at start-up and again at every clear.
#pragma once
#include <windows.h>

extern const char kOverlayClassName[];  // class name and window title alike

// Creates the hidden overlay window and stores its handle (null on failure)
// in *window. Returns 1 when the window exists, 0 otherwise.
int CreateOverlayWindow(HWND *window, int width, int height, HINSTANCE instance);
