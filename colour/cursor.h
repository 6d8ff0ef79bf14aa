// The spray-can cursor, tinted with the current colour.
#pragma once
#include <windows.h>

enum {
    kHotSpotX = 6,           // in the mist just in front of the nozzle
    kMirroredHotSpotX = 25,  // the same pixel mirrored: 31 - 6
    kHotSpotY = 9,
};

// Builds the cursor for the colour and the mirror flag and makes it the
// pointer. Returns nonzero on success.
int BuildCanCursor(COLORREF colour);

// A cursor from a colour bitmap and a mask, or null.
HCURSOR MakeCursor(HBITMAP colour, HBITMAP mask, int hotSpotX, int hotSpotY);

// Destroys the cursor in use, once nothing shows it any more.
void ReleaseCanCursor();
