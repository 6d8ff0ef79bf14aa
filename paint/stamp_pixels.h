// Pixel rules of the spray stamp: which brush image, how a brush pixel
// becomes premultiplied paint, and which stamp pixels show on the screen.
#pragma once
#include <windows.h>

// The largest brush edge; a stamp or brush buffer of this edge fits every size.
enum { kLargestSpraySize = 32 };

struct StampPixel {
    BYTE blue, green, red, alpha;
};

// Bitmap resource id of the brush image for a spray size; 0 for other sizes.
int BrushIdForSize(int spraySize);

// A 32-bit brush pixel (bytes blue, green, red, ignored) tinted with the colour.
StampPixel TintPixel32(const BYTE *brush, COLORREF colour);

// A 5-6-5 brush word widened to 8 bits a channel, then tinted with the colour.
StampPixel TintPixel16(WORD brush, COLORREF colour);

// A 5-5-5 brush word (red in bits 14 to 10), widened and tinted the same way.
StampPixel TintPixel555(WORD brush, COLORREF colour);

// How the brush buffer holds its pixels.
enum BrushLayout {
    kBrushUnknown,  // no rule: the stamp stays transparent
    kBrush32,       // 4 bytes: blue, green, red, ignored
    kBrush565,      // little-endian words, 5-6-5
    kBrush555,      // little-endian words, 5-5-5
};

// The layout for a display depth. At 16 bits the brush image's red mask
// decides; anything but the 5-5-5 mask (0 when unknown) means 5-6-5.
BrushLayout BrushLayoutFor(int depth, DWORD redMask);

// Whether brush row r, column c of a dab at the square lands on the screen.
// Rows show upside down: row r lands on screen row top + (size - 1 - r).
int StampPixelOnScreen(RECT square, int size, int r, int c, int screenWidth, int screenHeight);

// Writes the stamp pixels that land on the screen from the raw brush pixels
// (top row first, rows packed); brush row r goes to row r of the bottom-up
// stamp memory. With an unknown layout nothing is written.
void FillStamp(BYTE *stamp, const BYTE *brush, int size, BrushLayout layout, COLORREF colour,
               RECT square, int screenWidth, int screenHeight);
// The same with the brush stretched onto a stamp of another edge, as on a
// scaled display; at the brush's own edge it is FillStamp.
void FillScaledStamp(BYTE *stamp, int edge, const BYTE *brush, int size, BrushLayout layout,
                     COLORREF colour, RECT square, int screenWidth, int screenHeight);
