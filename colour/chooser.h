// The colour chooser behind the right button, over a frozen picture of the window.
#pragma once
#include <windows.h>

extern const char kChooserCaption[];

LRESULT ChooserOpen(HWND hwnd, WPARAM wParam, LPARAM lParam);

// The dialog's hook: retitles it as it opens, hands the focus back as it closes.
UINT_PTR CALLBACK ChooserHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
