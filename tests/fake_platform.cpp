// Recording stand-ins for the platform seam.
#include "fake_platform.h"
#include "app/platform.h"

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
