// Reading the screen back, for in-process and end-to-end tests alike.
#pragma once
#include <windows.h>
#include <vector>

// Screen pixels as 0x00RRGGBB, row by row from the top, read in one block copy.
std::vector<DWORD> ReadScreen(int left, int top, int width, int height);
DWORD ScreenPixel(int x, int y);

// A COLORREF as a screen pixel value, 0x00RRGGBB.
DWORD Rgb(COLORREF colour);

// Whether a screen pixel shows the colour, as exactly as the display's depth allows.
bool LooksLike(DWORD pixel, COLORREF colour);

// How many of the pixels look like the colour (a fourth byte, alpha, is not
// compared).
int CountLike(const std::vector<DWORD> &pixels, COLORREF colour);

// Pixels compared per channel within a tolerance.
bool NearColour(DWORD pixel, DWORD expected, int tolerance);

int DisplayDepth();
