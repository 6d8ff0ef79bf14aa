// The overlay window itself: its class name, by which a second start finds
// it, and its creation, at start-up and again at every clear.
#pragma once
#include <windows.h>

extern const char kOverlayClassName[];  // class name and window title alike

// Creates the hidden overlay window and stores its handle (null on failure)
// in *window. Returns 1 when the window exists, 0 otherwise.
int CreateOverlayWindow(HWND *window, int width, int height, HINSTANCE instance);

// The window's answer when Windows asks which pen and touch gestures it
// wants: none of press-and-hold, flicks and the pen's tap feedback.
LRESULT PenGestureStatus();

// Removes what the creation attached to the window; before it is destroyed.
void DetachOverlayWindow(HWND window);
