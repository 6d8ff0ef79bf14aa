// The dispatch table: each message goes to the module that owns it.
#include "app/window_proc.h"
#include <tpcshrd.h>
#include "app/keys.h"
#include "app/lifecycle.h"
#include "app/overlay_window.h"
#include "colour/slots.h"
#include "paint/canvas.h"
#include "paint/strokes.h"

LRESULT CALLBACK OverlayWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:      return OverlayCreate(hwnd);
    case WM_DESTROY:     return OverlayDestroy(hwnd);
    case WM_ACTIVATE:    return OverlayActivate(hwnd, wParam, lParam);
    case WM_CANCELMODE:  return OverlayCancelMode(hwnd, wParam, lParam);
    case WM_PAINT:       return CanvasPaint(hwnd, wParam, lParam);
    case WM_CLOSE:       return OverlayClose(hwnd);
    case WM_QUERYENDSESSION: return SessionMayEnd();
    case WM_ENDSESSION:  return SessionEnding(wParam);
    case WM_QUIT:        return ShutDown();
    case WM_KEYDOWN:     return SlotKeyDown(wParam);
    case WM_KEYUP:       return SlotKeyUp(wParam);
    case WM_CHAR:        return KeyCommand(hwnd, wParam);
    case WM_SYSCOMMAND:  return FilterSysCommand(hwnd, wParam, lParam);
    case WM_TIMER:       return SprayTick(hwnd);
    case WM_MOUSEMOVE:   return SprayMove(hwnd, wParam);
    case WM_LBUTTONDOWN: return SprayPress(hwnd);
    case WM_LBUTTONUP:   return SprayRelease(hwnd);
    case WM_RBUTTONDOWN: return ChooseColourAndComeBack(hwnd, wParam, lParam);
    case WM_MOUSEWHEEL:  return SlotWheel(wParam);
    case WM_USER:        return ClearRequest(hwnd);
    case WM_DPICHANGED:  return OverlayDpiChanged(hwnd);
    case WM_TABLET_QUERYSYSTEMGESTURESTATUS: return PenGestureStatus();
    case kTakeKeysAgain: return TakeKeyboardAgain(hwnd);
    default:             return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
