// The floor of the outside-in benchmark: the window work of a stroke with a
// plain FillRect where Pintaflux lays its dab. A full-screen topmost popup;
// while the left button is held, every mouse move and timer tick fills a
// square of spray size 19 under the pointer through GetDC, invalidates it and
// updates the window, whose paint handler only validates. Escape ends it.
#include <windows.h>

enum { kTimer = 1, kPeriodMs = 100, kSquareSize = 19 };

static int g_spraying;

static LRESULT FloorDab(HWND hwnd)
{
    if (!g_spraying)
        return 0;
    POINT pointer;
    if (!GetCursorPos(&pointer))
        return 0;
    int half = kSquareSize / 2, odd = kSquareSize % 2;
    RECT square = {pointer.x - half, pointer.y - half, pointer.x + half + odd, pointer.y + half + odd};
    HDC window = GetDC(hwnd);
    if (window) {
        FillRect(window, &square, (HBRUSH)GetStockObject(WHITE_BRUSH));
        ReleaseDC(hwnd, window);
    }
    InvalidateRect(hwnd, &square, FALSE);
    UpdateWindow(hwnd);
    return 0;
}

static LRESULT CALLBACK FloorWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        g_spraying = 1;
        SetTimer(hwnd, kTimer, kPeriodMs, NULL);
        return FloorDab(hwnd);
    case WM_TIMER:
    case WM_MOUSEMOVE:
        return FloorDab(hwnd);
    case WM_LBUTTONUP:
        KillTimer(hwnd, kTimer);
        g_spraying = 0;
        return 0;
    case WM_PAINT:
        ValidateRect(hwnd, NULL);
        return 0;
    case WM_CHAR:
        if (wParam == VK_ESCAPE)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.lpszClassName = "PintafluxFloor";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "PintafluxFloor", "Pintaflux floor", WS_POPUP, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                instance, NULL);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
