// Recording stand-ins for the platform seam.
#include "fake_platform.h"
#include "app/platform.h"
#include "app/state.h"
#include "paint/backdrop.h"

FakePlatform g_fake;

void ResetFakePlatform()
{
    g_fake = FakePlatform();
}

void PlatformEndProcess(UINT exitCode)
{
    g_fake.endProcessCodes.push_back(exitCode);
}

BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    g_fake.soundCalls.push_back({sound ? sound : "", module, flags});
    return TRUE;
}

BOOL PlatformChooseColor(CHOOSECOLORA *record)
{
    g_fake.chooserCalls++;
    g_fake.lastChooser = *record;
    if (!g_fake.chooserConfirms)
        return FALSE;
    record->rgbResult = g_fake.chooserColour;
    return TRUE;
}

BOOL PlatformGetCursorPos(POINT *pointer)
{
    if (g_fake.pointerQueryFails)
        return FALSE;
    return GetCursorPos(pointer);
}

void PlatformWaitForCompositor()
{
    g_fake.compositorWaitsVisible.push_back(g_app.overlay && IsWindowVisible(g_app.overlay));
    // A screen copy taken before the wait would show the overlay itself:
    // drop it, so that only a copy taken after the wait survives.
    ReleaseBackdrop();
}

DWORD PlatformWindowManagerExStyle()
{
    // The window the tests see has exactly its own styles.
    return 0;
}
