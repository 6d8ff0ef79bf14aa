// An unerased window shows black on compositing desktops and under Wine, not
// the pixels beneath it, so the screen is kept here and copied in before the
// canvas is blended. Where the platform does keep the pixels, the copy shows
// the same picture.
#include "paint/backdrop.h"
#include "core/state.h"

void ReleaseBackdrop()
{
    if (g_app.backdropDC)
        DeleteDC(g_app.backdropDC);
    if (g_app.backdropBitmap)
        DeleteObject(g_app.backdropBitmap);
    g_app.backdropDC = NULL;
    g_app.backdropBitmap = NULL;
}

void CaptureBackdrop()
{
    ReleaseBackdrop();
    HDC screen = GetDC(NULL);
    if (!screen)
        return;
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, g_app.screenWidth, g_app.screenHeight);
    if (copy && bitmap) {
        SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, g_app.screenWidth, g_app.screenHeight, screen, 0, 0, SRCCOPY);
        g_app.backdropDC = copy;
        g_app.backdropBitmap = bitmap;
    } else {
        if (copy)
            DeleteDC(copy);
        if (bitmap)
            DeleteObject(bitmap);
    }
    ReleaseDC(NULL, screen);
}

void DrawBackdrop(HDC window, RECT rect)
{
    if (!g_app.backdropDC)
        return;
    BitBlt(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           g_app.backdropDC, rect.left, rect.top, SRCCOPY);
}
