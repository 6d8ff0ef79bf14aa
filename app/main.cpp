// Entry point: start-up steps in order, then the message loop.
#include <windows.h>
#include "app/startup.h"
#include "app/state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ResetProcessState();
    g_app.instance = instance;
    EndIfAlreadyRunning();
    TakeHoldThreshold();
    RegisterOverlayClass(instance);
    MeasureScreen();
    if (!CreateOverlayWindow(&g_app.overlay, g_app.screenWidth, g_app.screenHeight, instance))
        PostQuitMessage(1);
    ShowOverlayOnTop(g_app.overlay);
    return RunMessageLoop();
}
