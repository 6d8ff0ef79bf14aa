// The overlay window's procedure: the one entry for every event.
#pragma once
#include <windows.h>

LRESULT CALLBACK OverlayWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
