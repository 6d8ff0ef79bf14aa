// Start-up: the single-instance test, the window class and the overlay window.
#pragma once
#include <windows.h>

extern const char kOverlayClassName[];  // class name and window title alike

// Hold threshold for a keyboard repeat speed as the platform reports it.
int HoldThresholdFromSpeed(UINT speed);

// Ends this process with exit code 4 when an overlay window already exists,
// after bringing that window to the foreground.
void EndIfAlreadyRunning();

// Each of these posts the quit message with its quit code when it fails.
void TakeHoldThreshold();
void RegisterOverlayClass(HINSTANCE instance);
void MeasureScreen();

// Creates the hidden overlay window and stores its handle (null on failure)
// in *window. Returns 1 when the window exists, 0 otherwise.
int CreateOverlayWindow(HWND *window, int width, int height, HINSTANCE instance);

// Shows the overlay window in the topmost band and activates it.
void ShowOverlayOnTop(HWND window);

// Runs the message loop; returns the quit code that ends it.
int RunMessageLoop();
