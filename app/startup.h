// Start-up: the single-instance test, the window class, and the overlay
// window made and shown.
#pragma once
#include <windows.h>

// Start-up's steps in order, from keeping the instance to showing the
// overlay window; the message loop follows.
void StartUp(HINSTANCE instance);

// Makes every later DLL load of the process look in the system folder only,
// never in the program's folder or the working folder.
void RestrictDllSearchToSystem();

// Makes the process DPI aware, per monitor where the system allows it:
// otherwise a scaled display tells it a smaller screen and stretches its
// window, while the screen copy under the paint is not scaled and shows only
// the top-left part of the desktop, enlarged. Nothing where neither call exists.
void DeclareDpiAwareness();

// Turns input methods off for the process, so that a Chinese, Japanese or
// Korean one leaves the letter keys to the commands; before the first window.
void TurnOffInputMethods();

// Hold threshold for a keyboard repeat speed as the platform reports it.
int HoldThresholdFromSpeed(UINT speed);

// Ends this process with exit code 4 when another instance runs: an overlay
// window exists, or another start holds the instance mutex; that start's
// window is waited for, for a while, and brought to the foreground.
void EndIfAlreadyRunning();

// Each of these posts the quit message with its quit code when it fails.
void TakeHoldThreshold();
void RegisterOverlayClass(HINSTANCE instance);
void MeasureScreen();

// Shows the overlay window in the topmost band and activates it.
void ShowOverlayOnTop(HWND window);

// Runs the message loop; returns the quit code that ends it.
int RunMessageLoop();
