// Reading the display's DPI and scaling lengths by it.
#include "core/display_scale.h"
#include "core/platform.h"
#include "core/state.h"

static UINT ScreenDpi()
{
    HDC screen = GetDC(NULL);
    if (!screen)
        return kUnscaledDpi;
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    return dpi > 0 ? (UINT)dpi : (UINT)kUnscaledDpi;
}

// The per-window and per-system queries exist from Windows 10 1607 on;
// looked up by name, so that older systems fall back to the screen context.
UINT ReadDisplayDpi(HWND window)
{
    typedef UINT(WINAPI * WindowDpiFunction)(HWND);
    typedef UINT(WINAPI * SystemDpiFunction)();
    UINT dpi = 0;
    WindowDpiFunction forWindow =
        (WindowDpiFunction)(void *)PlatformSystemFunction("user32.dll", "GetDpiForWindow");
    SystemDpiFunction forSystem =
        (SystemDpiFunction)(void *)PlatformSystemFunction("user32.dll", "GetDpiForSystem");
    if (window && forWindow)
        dpi = forWindow(window);
    else if (forSystem)
        dpi = forSystem();
    return dpi ? dpi : ScreenDpi();
}

void TakeDisplayDpi(HWND window)
{
    g_app.dpi = ReadDisplayDpi(window);
}

// A DPI not read yet (0) counts as unscaled.
static UINT DpiOrUnscaled(UINT dpi)
{
    return dpi ? dpi : (UINT)kUnscaledDpi;
}

int ScaleLength(int length, UINT dpi)
{
    return MulDiv(length, (int)DpiOrUnscaled(dpi), kUnscaledDpi);
}

int ScaledLength(int length)
{
    return ScaleLength(length, g_app.dpi);
}

int CursorEdgeForDpi(UINT dpi)
{
    typedef int(WINAPI * MetricForDpiFunction)(int, UINT);
    MetricForDpiFunction metricForDpi = (MetricForDpiFunction)(void *)PlatformSystemFunction(
        "user32.dll", "GetSystemMetricsForDpi");
    int edge = metricForDpi ? metricForDpi(SM_CXCURSOR, DpiOrUnscaled(dpi))
                            : GetSystemMetrics(SM_CXCURSOR);
    // A metric that makes no sense keeps the unscaled size; a huge one is
    // held to what a pointer can be.
    if (edge <= 0)
        return kUnscaledCursorEdge;
    return edge < kLargestCursorEdge ? edge : kLargestCursorEdge;
}
