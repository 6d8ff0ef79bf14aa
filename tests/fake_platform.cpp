// Recording stand-ins for the platform seam.
#include "fake_platform.h"
#include "app/overlay_window.h"
#include "app/startup.h"
#include "core/platform.h"
#include "core/state.h"
#include "core/system_library.h"
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
    if (g_fake.chooserShowsDialog) {
        HWND dialog = CreateWindowExA(0, "Static", "Spray Can Store", WS_POPUP, 0, 0, 100, 100,
                                      record->hwndOwner, NULL, NULL, NULL);
        SetWindowPos(dialog, NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        // Hidden first, which hands the activation back, then destroyed.
        ShowWindow(dialog, SW_HIDE);
        DestroyWindow(dialog);
    }
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

BOOL PlatformTaskBarNeedsReshow()
{
    return g_fake.taskBarNeedsReshow;
}

DWORD PlatformWindowManagerExStyle()
{
    // The window the tests see has exactly its own styles.
    return 0;
}

BOOL PlatformPhysicalButtonDown(int virtualKey)
{
    return virtualKey == VK_LBUTTON ? g_fake.physicalLeftDown : g_fake.physicalRightDown;
}

BOOL PlatformButtonsSwapped()
{
    return g_fake.buttonsSwapped;
}

static void RecordStartCall(const char *call)
{
    std::string late = FindWindowA(kOverlayClassName, NULL) ? "late " : "";
    g_fake.startCalls.push_back(late + call);
}

static BOOL WINAPI FakeSetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context)
{
    RecordStartCall(context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
                            ? "SetProcessDpiAwarenessContext(per monitor v2)"
                            : "SetProcessDpiAwarenessContext(other)");
    return !g_fake.awarenessContextFails;
}

static BOOL WINAPI FakeSetProcessDPIAware()
{
    RecordStartCall("SetProcessDPIAware");
    return TRUE;
}

// The test process itself keeps the search it has.
static BOOL WINAPI FakeSetDefaultDllDirectories(DWORD flags)
{
    RecordStartCall(flags == LOAD_LIBRARY_SEARCH_SYSTEM32 ? "SetDefaultDllDirectories(system32)"
                                                          : "SetDefaultDllDirectories(other)");
    return TRUE;
}

static BOOL WINAPI FakeImmDisableIME(DWORD thread)
{
    RecordStartCall(thread == (DWORD)-1 ? "ImmDisableIME(all threads)" : "ImmDisableIME(one)");
    return TRUE;
}

static UINT WINAPI FakeGetDpiForWindow(HWND)
{
    return g_fake.windowDpi;
}

static UINT WINAPI FakeGetDpiForSystem()
{
    return g_fake.systemDpi;
}

// The system's pointers: 32 pixels at 96 DPI, growing with the scale.
static int WINAPI FakeGetSystemMetricsForDpi(int index, UINT dpi)
{
    return index == SM_CXCURSOR ? MulDiv(32, (int)dpi, 96) : 0;
}

// The functions faked by name; every other one is the system's own.
FARPROC PlatformSystemFunction(const char *library, const char *name)
{
    if (!lstrcmpA(name, "GetDpiForWindow") && g_fake.windowDpi)
        return (FARPROC)(void *)FakeGetDpiForWindow;
    if (!lstrcmpA(name, "GetDpiForSystem") && g_fake.systemDpi)
        return (FARPROC)(void *)FakeGetDpiForSystem;
    if (!lstrcmpA(name, "GetSystemMetricsForDpi") && g_fake.cursorEdgeQuery)
        return (FARPROC)(void *)FakeGetSystemMetricsForDpi;
    if (!lstrcmpA(name, "SetProcessDpiAwarenessContext") && !g_fake.lacksAwarenessContext)
        return (FARPROC)(void *)FakeSetProcessDpiAwarenessContext;
    if (!lstrcmpA(name, "SetProcessDPIAware") && !g_fake.lacksDpiAware)
        return (FARPROC)(void *)FakeSetProcessDPIAware;
    if (!lstrcmpA(name, "SetDefaultDllDirectories"))
        return (FARPROC)(void *)FakeSetDefaultDllDirectories;
    if (!lstrcmpA(name, "ImmDisableIME"))
        return (FARPROC)(void *)FakeImmDisableIME;
    if (!lstrcmpA(library, "user32.dll"))
        return NULL;
    return SystemLibraryFunction(library, name);
}

void PlatformSetExecutionState(EXECUTION_STATE state)
{
    g_fake.executionStates.push_back(state);
}

void PlatformDisableTransitions(HWND window)
{
    g_fake.transitionsDisabled.push_back(window);
}
