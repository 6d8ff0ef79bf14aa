// The single-key commands and the filtering of system commands.
#pragma once
#include <windows.h>

LRESULT KeyCommand(HWND hwnd, WPARAM character);
LRESULT FilterSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);

// While the screen-saver block is on, asks for the display to stay on too;
// lets it go while the block is off.
void HoldDisplayWhileBlocked();
