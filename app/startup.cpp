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
};

void StartUp(HINSTANCE instance)
{
    // Before any window or device context exists, or it does not take.
    DeclareDpiAwareness();
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

void DeclareDpiAwareness()
{
    // Looked up by name, so that systems without them still start.
    typedef BOOL(WINAPI * SetContextFunction)(DPI_AWARENESS_CONTEXT);
    typedef BOOL(WINAPI * SetAwareFunction)();
    SetContextFunction setContext =
        (SetContextFunction)(void *)PlatformUser32Function("SetProcessDpiAwarenessContext");
    if (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return;
    SetAwareFunction setAware = (SetAwareFunction)(void *)PlatformUser32Function("SetProcessDPIAware");
    if (setAware)
        setAware();
}

int HoldThresholdFromSpeed(UINT speed)
{
    // Speed 0 is the slowest repeat; it counts like speed 1 rather than
    // dividing by zero.
    if (speed == 0)
        speed = 1;
    return (int)(kHoldDividend / speed);
}

void EndIfAlreadyRunning()
{
    // Any top-level window of our class counts, whatever its title.
    HWND running = FindWindowA(kOverlayClassName, NULL);
    if (!running)
        return;
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
