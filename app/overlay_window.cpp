// Creating the overlay window.
#include "app/overlay_window.h"
#include <tpcshrd.h>
#include "core/platform.h"

const char kOverlayClassName[] = "Pintaflux";

// Holding a pen or a finger still is how paint builds up; Windows would turn
// it into a right click, which opens the colour chooser, and a quick stroke
// into a flick.
static const DWORD kNoPenGestures = TABLET_DISABLE_PRESSANDHOLD | TABLET_DISABLE_PENTAPFEEDBACK
                                    | TABLET_DISABLE_PENBARRELFEEDBACK | TABLET_DISABLE_FLICKS;
// The same wishes as a window property, which touch heeds too.
static const char kPenServiceProperty[] = "MicrosoftTabletPenServiceProperty";

// Windows 8 and later draw circles and ripples at each pen and touch contact:
// every kind of that feedback off for the window. Looked up by name, so that
// older systems still start.
static void TurnOffContactFeedback(HWND window)
{
    typedef BOOL(WINAPI * SetFeedbackFunction)(HWND, FEEDBACK_TYPE, DWORD, UINT32, const void *);
    SetFeedbackFunction setFeedback = (SetFeedbackFunction)(void *)PlatformSystemFunction(
        "user32.dll", "SetWindowFeedbackSetting");
    if (!setFeedback)
        return;
    BOOL off = FALSE;
    int last = FEEDBACK_GESTURE_PRESSANDTAP;
    for (int kind = FEEDBACK_TOUCH_CONTACTVISUALIZATION; kind <= last; kind++)
        setFeedback(window, (FEEDBACK_TYPE)kind, 0, sizeof off, &off);
}

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
    SetPropA(*window, kPenServiceProperty, (HANDLE)(DWORD_PTR)kNoPenGestures);
    TurnOffContactFeedback(*window);
    return 1;
}

LRESULT PenGestureStatus()
{
    return kNoPenGestures;
}

void DetachOverlayWindow(HWND window)
{
    RemovePropA(window, kPenServiceProperty);
}
