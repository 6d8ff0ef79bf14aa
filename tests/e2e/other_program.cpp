// Another program for the switch tests: an ordinary full-screen window that
// paints a picture of its own and takes the activation when started. Started
// again, it brings its running window forward and ends, as many programs do.
#include <windows.h>

static const char kClassName[] = "PintafluxOtherProgram";

static COLORREF BandColour(int band)
{
    static const COLORREF bands[] = {
        RGB(230, 230, 230), RGB(120, 160, 200), RGB(200, 120, 80), RGB(90, 90, 90),
    };
    return bands[band % 4];
}

static LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        for (int band = 0; band < 4; band++) {
            RECT rect = {client.right * band / 4, 0, client.right * (band + 1) / 4, client.bottom};
            HBRUSH brush = CreateSolidBrush(BandColour(band));
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND running = FindWindowA(kClassName, NULL);
    if (running) {
        // Shown anew as well as brought forward: under Wine an X window
        // manager learns of an activation only from a window being mapped.
        ShowWindow(running, SW_HIDE);
        ShowWindow(running, SW_SHOW);
        SetForegroundWindow(running);
        return 0;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OtherProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, "another program", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  NULL, NULL, instance, NULL);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
