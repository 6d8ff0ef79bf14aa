// Starts a real overlay window inside the test process, as start-up does.
#pragma once
#include <windows.h>
#include <vector>
#include "common/screen.h"

// Resets all process state and the fakes, then registers the class once.
void ResetForTest();

// Start-up's steps from measuring the screen to showing the window.
// Returns the window, or null.
HWND StartTestOverlay();

// Start-up as WinMain runs it, the class registered afresh; what the test
// set in the fakes stays. Returns the window, or null.
HWND StartLikeWinMain();

// Destroys the window as Escape would; the fake records the exit.
void EndTestOverlay();

// Runs the messages that are waiting for this thread.
void PumpMessages();

// Runs messages for a moment, so that what the windows drew reaches the
// screen (Wine hands window contents to X while messages are retrieved).
void SettleScreen();


// A plain window of one colour over the whole screen, shown without taking
// the activation, to give the overlay a known picture underneath.
HWND ShowPictureWindow(COLORREF colour);

// Free GDI handle slots of this process, counted by making brushes until the
// platform refuses; every brush is deleted again. (Wine's GetGuiResources
// always reports 0, so a leak shows only here.)
int FreeGdiHandles();
