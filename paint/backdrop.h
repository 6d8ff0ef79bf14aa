// The backdrop: a copy of the screen under the overlay window, taken while
// the window is hidden, which a whole-window repaint lays under the paint.
#pragma once
#include <windows.h>

// Copies the screen into the backdrop, replacing any earlier copy.
void CaptureBackdrop();
void ReleaseBackdrop();

// Copies the backdrop onto one rectangle of the window, at the same place;
// does nothing without one.
void DrawBackdrop(HDC window, RECT rect);
