// The single-key commands and the filtering of system commands.
#pragma once
#include <windows.h>

LRESULT KeyCommand(HWND hwnd, WPARAM character);
LRESULT FilterSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);

// A toggle stores 1 when the old value is 0, and 0 otherwise.
int Toggled(int flag);
