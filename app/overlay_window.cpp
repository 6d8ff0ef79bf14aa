// Creating the overlay window.
#include "app/overlay_window.h"
#include "core/platform.h"

const char kOverlayClassName[] = "Pintaflux";

int CreateOverlayWindow(HWND *window, int width, int height, HINSTANCE instance)
{
    *window = CreateWindowExA(WS_EX_TOOLWINDOW | PlatformWindowManagerExStyle(),
                              kOverlayClassName, kOverlayClassName,
                              WS_POPUP,       // hidden, no caption, border or system menu
                              0, 0, width, height,
                              NULL,           // no parent
                              NULL,           // no menu
                              instance,
                              NULL);          // no creation parameter
    if (!*window)
        return 0;
    // A fade would still be under way when the screen is copied after a
    // hide, and the copy would hold the fading paint.
    PlatformDisableTransitions(*window);
    return 1;
}
