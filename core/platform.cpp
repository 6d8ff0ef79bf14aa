// The real platform calls behind the test seam.
#include "core/platform.h"
#include <dwmapi.h>
#include <mmsystem.h>
#include "core/system_library.h"

// How long X programs get to draw what a hidden overlay uncovered.
enum { kUncoveredDrawMs = 100 };

void PlatformEndProcess(UINT exitCode)
{
    TerminateProcess(GetCurrentProcess(), exitCode);
}

// Looked up at the first request, as the loader would at start: without
// winmm there is no sound.
BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    typedef BOOL(WINAPI * PlaySoundFunction)(LPCSTR, HMODULE, DWORD);
    static PlaySoundFunction playSound = NULL;
    if (!playSound)
        playSound = (PlaySoundFunction)(void *)SystemLibraryFunction("winmm.dll", "PlaySoundA");
    return playSound && playSound(sound, module, flags);
}

BOOL PlatformChooseColor(CHOOSECOLORA *record)
{
    return ChooseColorA(record);
}

BOOL PlatformGetCursorPos(POINT *pointer)
{
    return GetCursorPos(pointer);
}

// The compositor's functions are looked up at run time: systems without its
// library, or without the function, simply skip the call.
static FARPROC CompositorFunction(const char *name)
{
    return SystemLibraryFunction("dwmapi.dll", name);
}

static int RunsUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void PlatformWaitForCompositor()
{
    typedef HRESULT(WINAPI * FlushFunction)();
    FlushFunction flush = (FlushFunction)(void *)CompositorFunction("DwmFlush");
    if (flush)
        flush();
    // Wine's flush returns at once, and an X program draws what our window
    // uncovered only when the X server's expose event reaches it: until
    // then the screen still holds our old pixels, paint included, and a copy
    // would keep them. A moment lets the programs underneath draw.
    if (RunsUnderWine())
        Sleep(kUncoveredDrawMs);
}

void PlatformDisableTransitions(HWND window)
{
    typedef HRESULT(WINAPI * SetAttributeFunction)(HWND, DWORD, LPCVOID, DWORD);
    SetAttributeFunction setAttribute =
        (SetAttributeFunction)(void *)CompositorFunction("DwmSetWindowAttribute");
    BOOL disabled = TRUE;
    if (setAttribute)
        setAttribute(window, DWMWA_TRANSITIONS_FORCEDISABLED, &disabled, sizeof disabled);
}

BOOL PlatformTaskBarNeedsReshow()
{
    return !RunsUnderWine();
}

DWORD PlatformWindowManagerExStyle()
{
    // Wine hands a tool window to an X window manager as one to leave out
    // of the task bar, and a window manager may then not give it the
    // keyboard when it is shown (openbox does not), which also leaves it
    // under a full-screen window that keeps the keyboard. Marked as an
    // application window it is an ordinary window there and is focused when
    // shown. On Windows the mark would only add a task-bar button: none there.
    return RunsUnderWine() ? WS_EX_APPWINDOW : 0;
}

BOOL PlatformPhysicalButtonDown(int virtualKey)
{
    // The high bit: down at this moment.
    return GetAsyncKeyState(virtualKey) < 0;
}

BOOL PlatformButtonsSwapped()
{
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

FARPROC PlatformSystemFunction(const char *library, const char *name)
{
    return SystemLibraryFunction(library, name);
}

void PlatformSetExecutionState(EXECUTION_STATE state)
{
    SetThreadExecutionState(state);
}
