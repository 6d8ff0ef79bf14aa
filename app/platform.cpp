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

BOOL PlatformGetCursorPos(POINT *pointer)
{
    return GetCursorPos(pointer);
}

void PlatformWaitForCompositor()
{
    // Looked up at run time: systems without the compositor's library, or
    // without the function, simply have nothing to wait for.
    typedef HRESULT(WINAPI * FlushFunction)();
    HMODULE library = LoadLibraryA("dwmapi.dll");
    if (!library)
        return;
    FlushFunction flush = (FlushFunction)(void *)GetProcAddress(library, "DwmFlush");
    if (flush)
        flush();
    FreeLibrary(library);
}
