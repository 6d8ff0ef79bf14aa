// A stroke lays a dab at the press, on every timer tick and on every move.
#include "paint/strokes.h"
#include <mmsystem.h>
#include "core/display_scale.h"
#include "core/platform.h"
#include "core/state.h"
#include "paint/stamp.h"

enum {
    kSprayTimer = 1,
    kSprayPeriodMs = 100,
};

static const char kHissName[] = "IDW_SPRAY";

RECT DabSquare(int x, int y, int edge)
{
    int half = edge / 2;
    int odd = edge % 2;
    RECT square = {x - half, y - half, x + half + odd, y + half + odd};
    return square;
}

int LargerSpraySize(int size)
{
    switch (size) {
    case 13: return 19;
    case 19: return 25;
    case 25: return 32;
    default: return size;
    }
}

int SmallerSpraySize(int size)
{
    switch (size) {
    case 32: return 25;
    case 25: return 19;
    case 19: return 13;
    default: return size;
    }
}

LRESULT SprayPress(HWND hwnd)
{
    g_app.spraying = 1;
    SetTimer(hwnd, kSprayTimer, kSprayPeriodMs, NULL);
    return SprayDab(hwnd);
}

LRESULT SprayDab(HWND hwnd)
{
    if (!g_app.spraying)
        return 0;
    // SND_NOSTOP: while the hiss plays, the request yields to it.
    if (!g_settings.mute)
        PlatformPlaySound(kHissName, NULL,
                          SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_NOSTOP);
    // No dab where the pointer is unknown (a locked session, say).
    POINT pointer;
    if (!PlatformGetCursorPos(&pointer))
        return 0;
    // The spray size is kept unscaled; the dab is as large to the eye on
    // every display.
    RECT square = DabSquare(pointer.x, pointer.y, ScaledLength(g_settings.spraySize));
    StampSpray(g_app.canvasDC, square);
    // The dab is on the window already; the repaint only validates it.
    InvalidateRect(hwnd, &square, FALSE);
    UpdateWindow(hwnd);
    return 0;
}

// The stroke has no mouse capture, so a release over another window (on a
// second monitor, over another program's topmost window) never reaches us.
// A move or tick that finds the button up ends the stroke as a release would.
LRESULT SprayMove(HWND hwnd, WPARAM keys)
{
    if (g_app.spraying && !(keys & MK_LBUTTON))
        return SprayRelease(hwnd);
    return SprayDab(hwnd);
}

// Asked of the hardware, as no message says: with swapped buttons the
// logical left button is the physical right one.
static int LeftButtonHeld()
{
    return PlatformPhysicalButtonDown(PlatformButtonsSwapped() ? VK_RBUTTON : VK_LBUTTON);
}

LRESULT SprayTick(HWND hwnd)
{
    if (g_app.spraying && !LeftButtonHeld())
        return SprayRelease(hwnd);
    return SprayDab(hwnd);
}

LRESULT SprayRelease(HWND hwnd)
{
    KillTimer(hwnd, kSprayTimer);
    g_app.spraying = 0;
    if (!g_settings.mute)
        PlatformPlaySound(NULL, NULL, SND_NODEFAULT);
    return 0;
}

void SpraySizeUp()
{
    g_settings.spraySize = LargerSpraySize(g_settings.spraySize);
}

void SpraySizeDown()
{
    g_settings.spraySize = SmallerSpraySize(g_settings.spraySize);
}

void ToggleMute()
{
    g_settings.mute = Toggled(g_settings.mute);
    if (g_settings.mute)
        PlatformPlaySound(NULL, NULL, SND_PURGE);
}
