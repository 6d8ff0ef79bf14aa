// Test set-up shared by the in-process tests.
#include "unit/overlay_fixture.h"
#include <cstdlib>
#include "app/overlay_window.h"
#include "app/startup.h"
#include "common/files.h"
#include "core/state.h"
#include "fake_platform.h"

static char privateFolder[MAX_PATH];

// At exit, whether the tests passed or not: leave the folder and remove it
// with whatever they left in it.
static void RemovePrivateWorkingFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    RemoveFolderTree(privateFolder);
}

// The program reads and writes "settings.dat" in the working directory, so
// the tests run in a folder of their own and start every test without one.
static void UsePrivateWorkingFolder()
{
    if (!privateFolder[0]) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        wsprintfA(privateFolder, "%spintaflux-unit-%lu", temp, GetCurrentProcessId());
        CreateDirectoryA(privateFolder, NULL);
        SetCurrentDirectoryA(privateFolder);
        atexit(RemovePrivateWorkingFolder);
    }
    DeleteFileA("settings.dat");
}

void ResetForTest()
{
    if (g_app.overlay && IsWindow(g_app.overlay))
        EndTestOverlay();
    UsePrivateWorkingFolder();
    ResetProcessState();
    ResetFakePlatform();
    g_app.instance = GetModuleHandleA(NULL);
    static int registered = 0;
    if (!registered) {
        RegisterOverlayClass(g_app.instance);
        registered = 1;
    }
    g_app.holdThreshold = 16;
    MeasureScreen();
}

HWND StartTestOverlay()
{
    if (!CreateOverlayWindow(&g_app.overlay, g_app.screenWidth, g_app.screenHeight,
                             g_app.instance))
        return NULL;
    ShowOverlayOnTop(g_app.overlay);
    SettleScreen();
    return g_app.overlay;
}

HWND StartLikeWinMain()
{
    UnregisterClassA(kOverlayClassName, GetModuleHandleA(NULL));
    StartUp(GetModuleHandleA(NULL));
    SettleScreen();
    return g_app.overlay;
}

void EndTestOverlay()
{
    if (g_app.overlay && IsWindow(g_app.overlay))
        DestroyWindow(g_app.overlay);
    g_app.overlay = NULL;
    PumpMessages();
}

void SettleScreen()
{
    GdiFlush();
    for (int i = 0; i < 6; i++) {
        PumpMessages();
        Sleep(25);
    }
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}


static LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND ShowPictureWindow(COLORREF colour)
{
    static const char className[] = "PintafluxTestPicture";
    WNDCLASSA pictureClass = {};
    pictureClass.lpfnWndProc = PictureProc;
    pictureClass.hInstance = GetModuleHandleA(NULL);
    pictureClass.lpszClassName = className;
    UnregisterClassA(className, pictureClass.hInstance);
    pictureClass.hbrBackground = CreateSolidBrush(colour);
    RegisterClassA(&pictureClass);
    HWND picture = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className,
                                   "picture", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                   GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                   pictureClass.hInstance, NULL);
    SetWindowPos(picture, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(picture);
    PumpMessages();
    GdiFlush();
    return picture;
}

int FreeGdiHandles()
{
    std::vector<HBRUSH> made;
    made.reserve(70000);
    // A bound well above any platform's per-process limit.
    while (made.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush)
            break;
        made.push_back(brush);
    }
    for (HBRUSH brush : made)
        DeleteObject(brush);
    return (int)made.size();
}
