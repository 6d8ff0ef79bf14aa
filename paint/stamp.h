// The spray stamp: one dab of the current colour.
#pragma once
#include <windows.h>

// Blends one dab at the square onto the target and onto the overlay window.
// Returns 1 when it reached both.
int StampSpray(HDC target, RECT square);
