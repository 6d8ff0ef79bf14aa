// Process-wide state: the Settings record and the run-time fields. Every
// module includes this header; nothing else in the program is global.
#pragma once
#include <windows.h>
#include "settings/settings_record.h"

struct AppState {
    HINSTANCE instance;        // start-up; read by resource loads and window creation
    HWND overlay;              // CreateOverlayWindow; null while no window exists
    int screenWidth;           // start-up, measured once; read by canvas, stamp, chooser, clear
    int screenHeight;          // start-up, measured once; likewise
    int holdThreshold;         // start-up from the keyboard repeat speed; read by the digit keys
    UINT dpi;                  // start-up and WM_DPICHANGED, 0 until then (unscaled); read by the cursor and the dab square

    int saveOnExit;            // "s" and a successful load set it, nothing clears it; read at shutdown and clear
    int screensaverBlock;      // "n" toggles it; read by WM_SYSCOMMAND
    int clearPending;          // "x" sets it, the clear handling of WM_DESTROY clears it
    int reactivationPending;   // deactivation sets it, reactivation clears it
    int ownHideUnanswered;     // reactivation's hide, or a clear's, may still bring a deactivation of its own
    int xFocusLeft;            // Wine's X driver cancelled our modes since that hide: a late answer to it
    DWORD ownHideTick;         // when reactivation last hid the window; bounds that answer in time
    int settingsHeld;          // a load or the factory values filled g_settings; read by the window's load

    HDC canvasDC;              // canvas creation; the stamp blends onto it, the paint handler from it
    HBITMAP canvasBitmap;      // canvas creation; stays selected into canvasDC
    HDC backdropDC;            // backdrop capture; the paint handler copies it under the canvas
    HBITMAP backdropBitmap;    // backdrop capture; stays selected into backdropDC

    int spraying;              // left button down sets it, left button up clears it; read by the dab step
    COLORREF currentColour;    // slot selection and the chooser; read by the stamp and the cursor
    int holdCounter;           // digit key-downs since the last digit key-up
    int wheelTravel;           // wheel travel short of a whole notch, kept by the wheel
    HCURSOR cursor;            // the spray-can cursor in use; replaced and destroyed by the next build

    int chooserOpen;           // set while the colour chooser runs; read by the paint handler
    HDC snapshotDC;            // the chooser's frozen copy of the window; read by the paint handler
    HBITMAP snapshotBitmap;    // selected into snapshotDC while the chooser is open
};

extern AppState g_app;
extern Settings g_settings;

// The values both records hold when the process starts.
void ResetProcessState();

// A toggle stores 1 when the old value is 0, and 0 otherwise.
int Toggled(int flag);
