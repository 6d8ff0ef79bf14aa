// Canvas creation and release, and what a repaint draws.
#include "paint/canvas.h"
#include "core/state.h"
#include "core/system_library.h"
#include "paint/backdrop.h"

void FillPaintBitmapInfo(BITMAPINFO *info, int width, int height)
{
    ZeroMemory(info, sizeof *info);
    info->bmiHeader.biSize = sizeof info->bmiHeader;
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;  // positive: bottom-up rows
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 32;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = (DWORD)width * (DWORD)height * 4;
}

BLENDFUNCTION PaintBlend()
{
    BLENDFUNCTION blend = {};
    blend.BlendOp = AC_SRC_OVER;
    blend.BlendFlags = 0;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    return blend;
}

// msimg32 is not one of the system's KnownDLLs: looked up in the system
// folder at the first blend, rather than imported, which would load a copy
// beside the program before any of its code runs.
int BlendPaint(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
               int sourceY)
{
    typedef BOOL(WINAPI * AlphaBlendFunction)(HDC, int, int, int, int, HDC, int, int, int, int,
                                              BLENDFUNCTION);
    static AlphaBlendFunction alphaBlend = NULL;
    if (!alphaBlend)
        alphaBlend = (AlphaBlendFunction)(void *)SystemLibraryFunction("msimg32.dll", "AlphaBlend");
    return alphaBlend
           && alphaBlend(target, x, y, width, height, source, sourceX, sourceY, width, height,
                         PaintBlend());
}

void CreateCanvas(HWND hwnd)
{
    // No step is checked: window creation goes on whatever fails here.
    BITMAPINFO info;
    FillPaintBitmapInfo(&info, g_app.screenWidth, g_app.screenHeight);
    HDC window = GetDC(hwnd);
    g_app.canvasDC = CreateCompatibleDC(window);
    ReleaseDC(hwnd, window);
    void *bits;  // never touched: paint reaches the canvas only through blends
    g_app.canvasBitmap = CreateDIBSection(g_app.canvasDC, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    SelectObject(g_app.canvasDC, g_app.canvasBitmap);
}

void ReleaseCanvas()
{
    DeleteDC(g_app.canvasDC);
    DeleteObject(g_app.canvasBitmap);
    g_app.canvasDC = NULL;
    g_app.canvasBitmap = NULL;
}

int BlendCanvas(HDC target, HDC source, RECT rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    return BlendPaint(target, rect.left, rect.top, width, height, source, rect.left, rect.top);
}

static int IsWholeScreen(RECT rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == g_app.screenWidth
           && rect.bottom == g_app.screenHeight;
}

// Partial updates are dab squares that the stamp has drawn already; only
// the chooser's snapshot and a whole-screen update draw.
static int UpdateDraws(RECT rect)
{
    return g_app.chooserOpen || IsWholeScreen(rect);
}

int DrawCanvasOverBackdrop(HDC window, RECT rect)
{
    DrawBackdrop(window, rect);
    return BlendCanvas(window, g_app.canvasDC, rect);
}

static void DrawUpdate(HDC window, RECT rect)
{
    if (g_app.chooserOpen) {
        BitBlt(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               g_app.snapshotDC, rect.left, rect.top, SRCCOPY);
        return;
    }
    DrawCanvasOverBackdrop(window, rect);
}

LRESULT CanvasPaint(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    RECT rect;
    if (GetUpdateRect(hwnd, &rect, FALSE)) {
        // Most updates are dab squares, only validated: the window's device
        // context is taken only when there is something to draw.
        if (UpdateDraws(rect)) {
            HDC window = GetDC(hwnd);
            DrawUpdate(window, rect);
            ReleaseDC(hwnd, window);
        }
        ValidateRect(hwnd, &rect);
    }
    return DefWindowProcA(hwnd, WM_PAINT, wParam, lParam);
}
