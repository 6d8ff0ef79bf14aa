// Entry point: start-up, then the message loop.
#include <windows.h>
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    StartUp(instance);
    return RunMessageLoop();
}
