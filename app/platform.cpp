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

DWORD PlatformWindowManagerExStyle()
{
    // Wine hands a tool window to an X window manager as one to leave out
    // of the task bar, and a window manager may then not give it the
    // keyboard when it is shown (openbox does not), which also leaves it
    // under a full-screen window that keeps the keyboard. Marked as an
    // application window it is an ordinary window there and is focused when
    // shown. On Windows the mark would only add a task-bar button: none there.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll && GetProcAddress(ntdll, "wine_get_version"))
        return WS_EX_APPWINDOW;
    return 0;
}
