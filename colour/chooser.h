// The colour chooser behind the right button.
#pragma once
#include <windows.h>

LRESULT ChooserOpen(HWND hwnd, WPARAM wParam, LPARAM lParam);
