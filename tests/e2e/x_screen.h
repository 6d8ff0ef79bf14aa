// What a person sees: the screen as the X server shows it, windows of other
// X programs included, and a window of another X program that shows the
// known picture under the overlay. Under Wine a Linux program of the tests'
// own (xscreen, built beside them) does both; elsewhere the screen is read
// through the platform and the picture is a window of the test's own.
#pragma once
#include <windows.h>
#include <vector>

// Screen pixels as 0x00RRGGBB, row by row from the top; empty when unread.
std::vector<DWORD> ReadSeenScreen(int left, int top, int width, int height);
// One pixel of it; kUnreadPixel, which no screen shows, when unread.
DWORD SeenPixel(int x, int y);
const DWORD kUnreadPixel = 0xFF000000;

// The pointer's image as the X server shows it: its edge, its hot spot and
// its pixels as 0xAARRGGBB, row by row from the top; width 0 when unread,
// as always away from X.
struct SeenPointerImage {
    int width, height;
    POINT hotSpot;
    std::vector<DWORD> pixels;
};
SeenPointerImage ReadSeenPointer();

// Shows the known picture over the whole screen, under every window shown
// later. Returns 1 once it is on the screen.
int ShowKnownPicture();
void HideKnownPicture();
// The colour of the known picture at a point of the screen.
COLORREF KnownPictureColour(int x, int y);
// Whether the screen shows the known picture there, as a person sees it.
bool SeesPictureAt(int x, int y);
