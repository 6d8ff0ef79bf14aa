// WM_CHAR: one character, one command. Case matters; every other code does nothing.
#include "app/keys.h"
#include "colour/slots.h"
#include "core/platform.h"
#include "core/state.h"
#include "paint/strokes.h"

static void RequestClear(HWND hwnd)
{
    g_app.clearPending = 1;
    SendMessageA(hwnd, WM_USER, 0, 0);
}

// The power manager turns the display off by its own idle timer, with no
// system command to swallow, so the block asks for the display as well. The
// request ends with the thread.
void HoldDisplayWhileBlocked()
{
    PlatformSetExecutionState(g_app.screensaverBlock ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED
                                                     : ES_CONTINUOUS);
}

static void ToggleScreensaverBlock()
{
    g_app.screensaverBlock = Toggled(g_app.screensaverBlock);
    HoldDisplayWhileBlocked();
}

// The slot selection rebuilds the can in the new orientation, as it builds
// it for every colour; on a slot that cannot be selected the can stays.
static void ToggleMirror()
{
    g_settings.mirror = Toggled(g_settings.mirror);
    SelectSlot(g_settings.currentSlot);
}

LRESULT KeyCommand(HWND hwnd, WPARAM character)
{
    switch (character) {
    case VK_ESCAPE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case '+':       SpraySizeUp(); break;
    case '-':       SpraySizeDown(); break;
    case 'h':       ToggleMirror(); break;
    case 'l':       SelectSlot(kCustomSlot); break;
    case 'm':       ToggleMute(); break;
    case 'n':       ToggleScreensaverBlock(); break;
    case 's':       g_app.saveOnExit = 1; break;
    case 'x':       RequestClear(hwnd); break;
    }
    return 0;
}

LRESULT FilterSysCommand(HWND hwnd, WPARAM command, LPARAM lParam)
{
    // The low four bits are the system's own, not part of the command.
    const WPARAM kSysCommandBits = 0xFFF0;
    WPARAM kind = command & kSysCommandBits;
    int screenSaverOrPowerDown = kind == SC_SCREENSAVE || kind == SC_MONITORPOWER;
    if (screenSaverOrPowerDown && g_app.screensaverBlock)
        return 0;
    return DefWindowProcA(hwnd, WM_SYSCOMMAND, command, lParam);
}
