// The spray-can cursor, tinted with the current colour.
#pragma once
#include <windows.h>

// Builds the cursor for the colour and the mirror flag and sets it.
// Returns nonzero on success.
int BuildCanCursor(COLORREF colour);

// The "h" key: flips the mirror flag and rebuilds the cursor.
void ToggleMirror();
