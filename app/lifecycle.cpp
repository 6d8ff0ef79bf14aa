// Creation, stepping back and coming back, the clear request, and shutdown.
#include "app/lifecycle.h"
#include "app/overlay_window.h"
#include "colour/chooser.h"
#include "colour/cursor.h"
#include "colour/slots.h"
#include "core/display_scale.h"
#include "core/platform.h"
#include "core/state.h"
#include "paint/backdrop.h"
#include "paint/canvas.h"
#include "paint/strokes.h"
#include "res/resource.h"
#include "settings/settings.h"

enum {
    kQuitReplacementFailed = 1,
    // Bound on all the answers to the repaint request together.
    kRepaintBudgetMs = 200,
    // A deactivation later than this after our own hide is the user's.
    kOwnHideAnswerMs = 1000,
};

// Asks one top-level window to paint, within what is left of the budget;
// stops the round once it is spent. Hidden windows show nothing to paint.
static BOOL CALLBACK RepaintWindowWithinBudget(HWND window, LPARAM roundStart)
{
    DWORD spent = GetTickCount() - (DWORD)roundStart;
    if (spent >= kRepaintBudgetMs)
        return FALSE;
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, kRepaintBudgetMs - spent,
                        &ignored);
    return TRUE;
}

// Every top-level window draws what the overlay uncovered. A broadcast would
// wait on each slow window in turn, up to its timeout times their number:
// one budget bounds the whole round instead, so that no set of slow windows
// holds up a clear or a come-back.
static void RepaintOtherWindows()
{
    EnumWindows(RepaintWindowWithinBudget, (LPARAM)GetTickCount());
}

// Copies the screen once it no longer shows the overlay: the uncovered
// windows have drawn themselves again and a compositor has presented that.
// Otherwise the old paint could end up in the copy and be blended twice.
static void CaptureUncoveredScreen()
{
    RepaintOtherWindows();
    PlatformWaitForCompositor();
    CaptureBackdrop();
}

LRESULT OverlayCreate(HWND hwnd)
{
    // Every step runs whatever the one before achieved.
    if (LoadSettingsForWindow() == kLoadRead)
        g_app.saveOnExit = 1;
    // The scale of the screen the window is on, which gets no WM_DPICHANGED
    // for the scale it starts with: the session's may differ on a laptop
    // docked since sign-in.
    TakeDisplayDpi(hwnd);
    SelectSlot(g_settings.currentSlot);
    CreateCanvas(hwnd);
    return 0;
}

LRESULT OverlayClose(HWND hwnd)
{
    DestroyWindow(hwnd);
    return 0;
}

LRESULT ShutDown()
{
    DeleteDC(g_app.canvasDC);
    if (g_app.saveOnExit == 1)
        SaveSettings();
    ReleaseCanCursor();
    PlatformEndProcess(0);
    return 0;
}

LRESULT SessionMayEnd()
{
    return TRUE;
}

// Only the shutdown's save and the display request: the process may be
// ended at any moment once this returns.
LRESULT SessionEnding(WPARAM ending)
{
    if (!ending)
        return 0;
    if (g_app.saveOnExit == 1)
        SaveSettings();
    PlatformSetExecutionState(ES_CONTINUOUS);
    return 0;
}

// The old window's part of a clear: the clear request has already released
// its canvas and written the settings; the process goes on.
static LRESULT ClearDestroyedWindow()
{
    g_app.clearPending = 0;
    return 0;
}

LRESULT OverlayDestroy(HWND hwnd)
{
    DetachOverlayWindow(hwnd);
    if (g_app.clearPending)
        return ClearDestroyedWindow();
    return ShutDown();
}

static void StepBack(HWND hwnd)
{
    // The button's release and a digit's key-up go to whoever has the
    // input now: end the stroke and the hold here, or they run on.
    SprayRelease(hwnd);
    ForgetHeldDigit();
    // The window is no longer active: hiding it hands nothing away.
    UINT reshow = 0;
    if (PlatformTaskBarNeedsReshow()) {
        SetWindowPos(hwnd, NULL, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        reshow = SWP_SHOWWINDOW;
    }
    LONG style = GetWindowLongA(hwnd, GWL_EXSTYLE);
    SetWindowLongA(hwnd, GWL_EXSTYLE, style & ~WS_EX_TOOLWINDOW);
    HICON icon = LoadIconA(g_app.instance, MAKEINTRESOURCEA(IDI_PINTAFLUX));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, (LPARAM)icon);
    // A topmost window placed at the bottom leaves the topmost band.
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                 reshow | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    g_app.reactivationPending = 1;
}

// The window was shown again without being activated: take the activation
// and the keyboard back, or keys go nowhere.
static void TakeKeyboard(HWND hwnd)
{
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    SetFocus(hwnd);
}

// Takes the keyboard again from a message of the window's own, posted after
// it was shown: Wine's X driver dates its X focus request by the message
// being handled, and X ignores a request dated before the last focus change,
// which our hide made. Setting the focus anew makes the driver ask again.
// Stepped back meanwhile, the user has left and the keyboard stays theirs.
LRESULT TakeKeyboardAgain(HWND hwnd)
{
    if (g_app.reactivationPending)
        return 0;
    SetFocus(NULL);
    TakeKeyboard(hwnd);
    return 0;
}

// Our window with the X focus is about to go from the screen: for a moment,
// a deactivation to no window is Wine's answer to that, not the user leaving.
static void ExpectOwnFocusLoss()
{
    g_app.ownHideUnanswered = 1;
    g_app.xFocusLeft = 0;
    g_app.ownHideTick = GetTickCount();
}

// Hides the window and copies the screen that it uncovers, for the paint to
// be laid over when it is shown again.
static void HideAndCopyScreen(HWND hwnd)
{
    ExpectOwnFocusLoss();
    SetWindowPos(hwnd, NULL, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    CaptureUncoveredScreen();
}

enum ScreenCopy { kKeepScreenCopy, kCopyScreenAfresh };

// Back in the topmost band as a tool window, with the whole paint drawn anew
// over the screen copy.
static void ComeBack(HWND hwnd, ScreenCopy copy)
{
    if (copy == kCopyScreenAfresh)
        HideAndCopyScreen(hwnd);
    LONG style = GetWindowLongA(hwnd, GWL_EXSTYLE);
    SetWindowLongA(hwnd, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    InvalidateRect(hwnd, NULL, FALSE);
    UpdateWindow(hwnd);
    SelectSlot(g_settings.currentSlot);
    g_app.reactivationPending = 0;
    TakeKeyboard(hwnd);
    PostMessageA(hwnd, kTakeKeysAgain, 0, 0);
    // Active and focused again: a deactivation to nobody from now on is the
    // user's, unless Wine's X driver first says the X focus left us.
    if (GetActiveWindow() == hwnd && GetFocus() == hwnd)
        g_app.ownHideUnanswered = 0;
}

// Hiding the active window takes its activation away. Wine may report that
// deactivation only after the window is back on top, with no other window
// taking the activation; it is not the user leaving, so it must not send
// the window back down. Only a deactivation soon after our own hide counts,
// and only while the hide is unanswered: before the window has the keyboard
// back, or once Wine's X driver has said that the X focus left us.
static int IsOwnHideAnswer(HWND hwnd)
{
    HWND foreground = GetForegroundWindow();
    int toNoWindow = foreground == NULL || foreground == GetDesktopWindow();
    int own = (g_app.ownHideUnanswered || g_app.xFocusLeft) && toNoWindow
              && GetTickCount() - g_app.ownHideTick < kOwnHideAnswerMs && IsWindowVisible(hwnd);
    g_app.ownHideUnanswered = 0;
    g_app.xFocusLeft = 0;
    return own;
}

// When the X focus leaves the foreground window for no window of ours,
// Wine's X driver cancels its modes with this message and then hands the
// foreground to the desktop window. Our hide makes X move the focus too.
// The keyboard's second taking usually reaches X first, and the news then
// finds the focus ours; when the news comes first, it is still our hide's.
LRESULT OverlayCancelMode(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    g_app.xFocusLeft = 1;
    return DefWindowProcA(hwnd, WM_CANCELMODE, wParam, lParam);
}

LRESULT OverlayActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case WA_ACTIVE:
        // The chooser's dialog hands the activation back while it ends; the
        // chooser comes back itself once the dialog is gone.
        if (g_app.reactivationPending && !g_app.chooserOpen)
            ComeBack(hwnd, kCopyScreenAfresh);
        return 0;
    case WA_INACTIVE:
        // A clear hands the activation from the old window to the new one;
        // the user has not left.
        if (g_app.clearPending)
            return 0;
        // The user has not left, but the keys now go to no window: take
        // them back once this deactivation has run its course.
        if (IsOwnHideAnswer(hwnd))
            PostMessageA(hwnd, kTakeKeysAgain, 0, 0);
        else
            StepBack(hwnd);
        return 0;
    default:
        // A click into the window activates it without bringing it back on top.
        return DefWindowProcA(hwnd, WM_ACTIVATE, wParam, lParam);
    }
}

// The chooser's dialog takes the activation, so the window steps back. The
// dialog hands it back while it ends, and its hidden window, still there,
// would keep the window out of the topmost band: the come-back waits until
// the chooser has returned. It copies no screen: the user never left, the
// copy from before still holds, and hiding the window would lose the keys
// typed meanwhile at an X display, which gives them to the window under
// the pointer.
LRESULT ChooseColourAndComeBack(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    ChooserOpen(hwnd, wParam, lParam);
    if (g_app.reactivationPending && GetActiveWindow() == hwnd)
        ComeBack(hwnd, kKeepScreenCopy);
    return 0;
}

static int CreateReplacementWindow()
{
    if (CreateOverlayWindow(&g_app.overlay, g_app.screenWidth, g_app.screenHeight,
                            g_app.instance))
        return 1;
    PostQuitMessage(kQuitReplacementFailed);
    return 0;
}

// On top, the new window comes up over the old one before the old one goes,
// and shows the screen copy that the old one laid its paint over. The
// activation, and with it every key typed meanwhile, stays with Pintaflux:
// destroying the active window first would hand it to another program,
// which on Windows may keep the foreground from then on. Nothing is
// uncovered, so no other window is asked to draw again, unless the new
// window could not be made.
static void ReplaceOnTop(HWND old)
{
    if (CreateReplacementWindow()) {
        SetWindowPos(g_app.overlay, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        UpdateWindow(g_app.overlay);
    }
    // A window manager may give the X focus to the new window only after
    // the old one is gone; meanwhile Wine hands the activation to no window.
    ExpectOwnFocusLoss();
    SendMessageA(old, WM_CLOSE, 0, 0);
    if (!g_app.overlay)
        RepaintOtherWindows();
}

// Stepped back, or with no screen copy to show: the old window goes first,
// the windows it uncovers draw again, and the new window comes back on top
// over a copy of that screen. Left to its first activation, the come-back
// would hide the window it has just shown and copy the screen again; under
// Wine 10 that copy still holds the new window, unpainted, and the screen
// stays black.
static void ReplaceFromBelow(HWND old)
{
    SendMessageA(old, WM_CLOSE, 0, 0);
    RepaintOtherWindows();
    if (!CreateReplacementWindow())
        return;
    PlatformWaitForCompositor();
    CaptureBackdrop();
    ComeBack(g_app.overlay, kKeepScreenCopy);
}

LRESULT ClearRequest(HWND hwnd)
{
    // With no clear pending (another program sent it), the close runs the
    // shutdown sequence.
    if (!g_app.clearPending) {
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    // The new window's creation loads the settings: they are written first.
    ReleaseCanvas();
    if (g_app.saveOnExit == 1)
        SaveSettings();
    if (g_app.reactivationPending || !g_app.backdropDC)
        ReplaceFromBelow(hwnd);
    else
        ReplaceOnTop(hwnd);
    return 0;
}

// The window stays where it is, covering the screen, with its paint: the
// rectangle the platform suggests suits windows that grow with the scale.
LRESULT OverlayDpiChanged(HWND hwnd)
{
    TakeDisplayDpi(hwnd);
    BuildCanCursor(g_app.currentColour);
    return 0;
}
