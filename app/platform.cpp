// The real platform calls behind the test seam.
#include "app/platform.h"
#include <mmsystem.h>

void PlatformEndProcess(UINT exitCode)
{
    TerminateProcess(GetCurrentProcess(), exitCode);
}

BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    return PlaySoundA(sound, module, flags);
}

BOOL PlatformChooseColor(CHOOSECOLORA *record)
{
    return ChooseColorA(record);
}
