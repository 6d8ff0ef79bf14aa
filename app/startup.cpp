// Start-up steps, in the order WinMain takes them, and the message loop.
#include "app/startup.h"
#include "app/keys.h"
#include "app/overlay_window.h"
#include "app/window_proc.h"
#include "core/display_scale.h"
#include "core/platform.h"
#include "core/state.h"
#include "paint/backdrop.h"

enum {
    kExitAlreadyRunning = 4,
    kQuitSpeedQueryFailed = 0,
    kQuitStepFailed = 1,
    kHoldDividend = 500,
    // The platform's own default, used when the speed query writes nothing.
    kDefaultKeyboardSpeed = 31,
    // How long a second start waits for the window of a start still under
    // way, and how often it looks.
    kFirstWindowWaitMs = 10000,
    kFirstWindowPollMs = 50,
};

// Held by the running instance for its whole life; the system lets it go
// when that process ends, however it ends.
static const char kInstanceMutexName[] = "Local\\Pintaflux";

void StartUp(HINSTANCE instance)
{
    RestrictDllSearchToSystem();
    // Before any window or device context exists, or they do not take.
    DeclareDpiAwareness();
    TurnOffInputMethods();
    ResetProcessState();
    g_app.instance = instance;
    EndIfAlreadyRunning();
    HoldDisplayWhileBlocked();
    TakeHoldThreshold();
    RegisterOverlayClass(instance);
    MeasureScreen();
    if (!CreateOverlayWindow(&g_app.overlay, g_app.screenWidth, g_app.screenHeight, instance))
        PostQuitMessage(kQuitStepFailed);
    ShowOverlayOnTop(g_app.overlay);
}

void RestrictDllSearchToSystem()
{
    // Windows 8 and later, and 7 with its loader update: looked up by name.
    typedef BOOL(WINAPI * SetDirectoriesFunction)(DWORD);
    SetDirectoriesFunction setDirectories = (SetDirectoriesFunction)(void *)PlatformSystemFunction(
        "kernel32.dll", "SetDefaultDllDirectories");
    if (setDirectories && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // At least the working folder out of the search; the program's own
    // loads name the system folder in full.
    SetDllDirectoryA("");
}

void DeclareDpiAwareness()
{
    // Looked up by name, so that systems without them still start.
    typedef BOOL(WINAPI * SetContextFunction)(DPI_AWARENESS_CONTEXT);
    typedef BOOL(WINAPI * SetAwareFunction)();
    SetContextFunction setContext = (SetContextFunction)(void *)PlatformSystemFunction(
        "user32.dll", "SetProcessDpiAwarenessContext");
    if (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return;
    SetAwareFunction setAware =
        (SetAwareFunction)(void *)PlatformSystemFunction("user32.dll", "SetProcessDPIAware");
    if (setAware)
        setAware();
}

void TurnOffInputMethods()
{
    typedef BOOL(WINAPI * DisableFunction)(DWORD);
    DisableFunction disable =
        (DisableFunction)(void *)PlatformSystemFunction("imm32.dll", "ImmDisableIME");
    // Every thread of the process.
    const DWORD kAllThreads = (DWORD)-1;
    if (disable)
        disable(kAllThreads);
}

int HoldThresholdFromSpeed(UINT speed)
{
    // Speed 0 is the slowest repeat; it counts like speed 1 rather than
    // dividing by zero.
    if (speed == 0)
        speed = 1;
    return (int)(kHoldDividend / speed);
}

// Any top-level window of our class counts, whatever its title.
static HWND FindRunningOverlay()
{
    return FindWindowA(kOverlayClassName, NULL);
}

void EndIfAlreadyRunning()
{
    // The mutex tells of a start still on its way to its window: two starts
    // at once both find no window.
    SetLastError(ERROR_SUCCESS);
    HANDLE instanceMutex = CreateMutexA(NULL, TRUE, kInstanceMutexName);
    int first = !instanceMutex || GetLastError() != ERROR_ALREADY_EXISTS;
    HWND running = FindRunningOverlay();
    // The other start shows its window, or ends and leaves the mutex to us.
    DWORD waitStart = GetTickCount();
    while (!first && !running && GetTickCount() - waitStart < kFirstWindowWaitMs) {
        DWORD waited = WaitForSingleObject(instanceMutex, kFirstWindowPollMs);
        first = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        running = FindRunningOverlay();
    }
    if (first && !running)
        return;
    if (running)
        SetForegroundWindow(running);
    PlatformEndProcess(kExitAlreadyRunning);
}

void TakeHoldThreshold()
{
    UINT speed = kDefaultKeyboardSpeed;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0)) {
        PostQuitMessage(kQuitSpeedQueryFailed);
        speed = kDefaultKeyboardSpeed;
    }
    g_app.holdThreshold = HoldThresholdFromSpeed(speed);
}

void RegisterOverlayClass(HINSTANCE instance)
{
    // No cursor, icon or background brush: the pointer is whatever the
    // spray-can cursor last set, and nothing ever erases the window.
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = OverlayWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kOverlayClassName;
    if (!RegisterClassA(&windowClass))
        PostQuitMessage(kQuitStepFailed);
}

void MeasureScreen()
{
    HDC screen = GetDC(NULL);
    if (!screen) {
        PostQuitMessage(kQuitStepFailed);
        return;
    }
    g_app.screenWidth = GetDeviceCaps(screen, HORZRES);
    g_app.screenHeight = GetDeviceCaps(screen, VERTRES);
    if (!ReleaseDC(NULL, screen))
        PostQuitMessage(kQuitStepFailed);
    // The scale the cursor and the dabs are drawn at, before the window
    // builds its cursor.
    TakeDisplayDpi(NULL);
}

void ShowOverlayOnTop(HWND window)
{
    if (!window)
        return;
    // The screen under the hidden window is what the paint is laid over.
    CaptureBackdrop();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
