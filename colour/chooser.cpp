// Right button: end any stroke, freeze the window's picture, run the colour
// chooser, and make a confirmed colour the custom slot and the current colour.
#include "colour/chooser.h"
#include <commdlg.h>
#include "colour/slots.h"
#include "core/platform.h"
#include "core/state.h"

const char kChooserCaption[] = "Spray Can Store";

// Filled afresh at every opening.
static CHOOSECOLORA g_chooser;

UINT_PTR CALLBACK ChooserHook(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        SetWindowTextA(dialog, kChooserCaption);
    else if (message == WM_DESTROY)
        SetFocus(g_app.overlay);
    // The dialog's own procedure handles every message as well.
    return 0;
}

static void TakeSnapshot(HWND hwnd)
{
    HDC window = GetDC(hwnd);
    g_app.snapshotDC = CreateCompatibleDC(window);
    g_app.snapshotBitmap = CreateCompatibleBitmap(window, g_app.screenWidth, g_app.screenHeight);
    SelectObject(g_app.snapshotDC, g_app.snapshotBitmap);
    BitBlt(g_app.snapshotDC, 0, 0, g_app.screenWidth, g_app.screenHeight, window, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, window);
}

static void ReleaseSnapshot()
{
    DeleteDC(g_app.snapshotDC);
    DeleteObject(g_app.snapshotBitmap);
    g_app.snapshotDC = NULL;
    g_app.snapshotBitmap = NULL;
}

static int RunChooser(HWND hwnd)
{
    ZeroMemory(&g_chooser, sizeof g_chooser);
    g_chooser.lStructSize = sizeof g_chooser;
    g_chooser.hwndOwner = hwnd;
    g_chooser.hInstance = NULL;
    g_chooser.rgbResult = g_app.currentColour;
    g_chooser.lpCustColors = g_settings.chooserColours;  // shown and updated in place
    g_chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    g_chooser.lCustData = 0;
    g_chooser.lpfnHook = ChooserHook;
    g_chooser.lpTemplateName = NULL;
    return PlatformChooseColor(&g_chooser);
}

LRESULT ChooserOpen(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (g_app.spraying)
        SendMessageA(hwnd, WM_LBUTTONUP, wParam, lParam);
    TakeSnapshot(hwnd);
    g_app.chooserOpen = 1;
    if (RunChooser(hwnd)) {
        g_app.currentColour = g_chooser.rgbResult;
        StoreSlot(kCustomSlot, g_app.currentColour);
        SelectSlot(kCustomSlot);
    } else {
        SelectSlot(g_settings.currentSlot);
    }
    // Areas the dialog uncovered are still served from the snapshot.
    UpdateWindow(hwnd);
    ReleaseSnapshot();
    g_app.chooserOpen = 0;
    return 0;
}
