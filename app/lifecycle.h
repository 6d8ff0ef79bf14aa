// The overlay window's life: creation, activation, clearing, close and shutdown.
#pragma once
#include <windows.h>

LRESULT OverlayCreate(HWND hwnd);
LRESULT OverlayDestroy(HWND hwnd);
LRESULT OverlayActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OverlayCancelMode(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OverlayClose(HWND hwnd);
LRESULT ClearRequest(HWND hwnd);
// The display's scale changed: the can and new dabs take the new size.
LRESULT OverlayDpiChanged(HWND hwnd);

// Posted to the window to take the activation and the keyboard back, unless
// it has stepped back by then.
enum { kTakeKeysAgain = WM_APP };
LRESULT TakeKeyboardAgain(HWND hwnd);

// The right button: the colour chooser, then back on top where its dialog
// handed the activation back.
LRESULT ChooseColourAndComeBack(HWND hwnd, WPARAM wParam, LPARAM lParam);

// The end of the Windows session (sign-out, restart, update): it may end,
// and when it does, the settings are saved as the shutdown would save them.
// The process may be ended at any moment after that, without WM_DESTROY.
LRESULT SessionMayEnd();
LRESULT SessionEnding(WPARAM ending);

// Releases the canvas, saves when asked to and ends the process with exit
// code 0. Returns only where tests replace the ending of the process.
LRESULT ShutDown();
