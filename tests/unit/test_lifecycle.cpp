// Stepping back, coming back and clearing, through the window procedure.
#include <gtest/gtest.h>
#include <tpcshrd.h>
#include "app/window_proc.h"
#include "colour/slots.h"
#include "core/state.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTest();
        window = StartTestOverlay();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override { EndTestOverlay(); }
    LRESULT Activate(WORD state) { return OverlayWndProc(g_app.overlay, WM_ACTIVATE, state, 0); }
    LONG ExStyle() { return GetWindowLongA(g_app.overlay, GWL_EXSTYLE); }
    HWND window = NULL;
};

// What the windows of this thread were sent meanwhile: each change of an
// extended style, with whether the window was shown, and each activation.
static std::vector<std::string> sent;

static LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    char name[64] = "";
    GetClassNameA(call->hwnd, name, sizeof name);
    if (call->message == WM_STYLECHANGING && call->wParam == (WPARAM)GWL_EXSTYLE)
        sent.push_back(IsWindowVisible(call->hwnd) ? "style of a shown window" : "style, hidden");
    if (call->message == WM_ACTIVATE && LOWORD(call->wParam) != WA_INACTIVE)
        sent.push_back(std::string("activate ") + name);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

template <typename Steps> static std::vector<std::string> SentDuring(Steps steps)
{
    sent.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, NULL, GetCurrentThreadId());
    steps();
    UnhookWindowsHookEx(hook);
    return sent;
}

// Windows' task bar makes a button only as a window is shown: there the
// style changes while the window is hidden. Under Wine it changes in place.
TEST_F(Lifecycle, DeactivationStepsBackToTheBottomWithAnIcon)
{
    for (int onWindows : {0, 1}) {
        g_fake.taskBarNeedsReshow = onWindows;
        std::vector<std::string> styles = {onWindows ? "style, hidden" : "style of a shown window"};
        EXPECT_EQ(styles, SentDuring([&] { EXPECT_EQ(0, Activate(WA_INACTIVE)); }));
        EXPECT_EQ(1, g_app.reactivationPending);
        EXPECT_FALSE(ExStyle() & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_NE(0, SendMessageA(window, WM_GETICON, ICON_BIG, 0));

        // Twice in a row repeats the steps; the flag stays set.
        EXPECT_EQ(0, Activate(WA_INACTIVE));
        EXPECT_EQ(1, g_app.reactivationPending);
        Activate(WA_ACTIVE);
    }
}

TEST_F(Lifecycle, ActivationFromOutsideComesBackOnTop)
{
    Activate(WA_INACTIVE);
    EXPECT_EQ(0, Activate(WA_ACTIVE));
    EXPECT_EQ(0, g_app.reactivationPending);
    EXPECT_TRUE(ExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(window));
}

// Nor press-and-hold (a pen held still would open the chooser) or flicks,
// asked as Windows asks: by message and by property.
TEST_F(Lifecycle, EveryOverlayWindowHasItsAnimationsAndPenGesturesTurnedOff)
{
    const LRESULT kNoGestures = 0x10019;  // press-and-hold, tap and barrel feedback, flicks
    EXPECT_EQ(kNoGestures, OverlayWndProc(window, WM_TABLET_QUERYSYSTEMGESTURESTATUS, 0, 0));
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    ASSERT_NE(window, g_app.overlay);
    const std::vector<HWND> expected = {window, g_app.overlay};
    EXPECT_EQ(expected, g_fake.transitionsDisabled);
    EXPECT_EQ((HANDLE)kNoGestures, GetPropA(g_app.overlay, "MicrosoftTabletPenServiceProperty"));
}

TEST_F(Lifecycle, AClickActivationLeavesTheWindowSteppedBack)
{
    Activate(WA_INACTIVE);
    Activate(WA_CLICKACTIVE);
    EXPECT_EQ(1, g_app.reactivationPending);
    EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
}

TEST_F(Lifecycle, ActivationWhileOnTopChangesNothing)
{
    LONG before = ExStyle();
    EXPECT_EQ(0, Activate(WA_ACTIVE));
    EXPECT_EQ(before, ExStyle());
    EXPECT_EQ(0, g_app.reactivationPending);
}

TEST_F(Lifecycle, ComingBackLaysThePaintOverTheScreenAsItIsNow)
{
    DIBSECTION section;
    ASSERT_EQ((int)sizeof section, GetObjectA(g_app.canvasBitmap, sizeof section, &section));
    BYTE *bits = (BYTE *)section.dsBm.bmBits;
    // One opaque white pixel at (10, 10) of the bottom-up canvas.
    BYTE *pixel = bits + ((size_t)(g_app.screenHeight - 1 - 10) * g_app.screenWidth + 10) * 4;
    pixel[0] = pixel[1] = pixel[2] = pixel[3] = 255;
    // Stepped back, a window of another colour comes up over the overlay.
    Activate(WA_INACTIVE);
    HWND picture = ShowPictureWindow(RGB(0, 128, 255));
    Activate(WA_ACTIVE);
    SettleScreen();
    EXPECT_TRUE(LooksLike(ScreenPixel(10, 10), RGB(255, 255, 255))) << std::hex
                                                                     << ScreenPixel(10, 10);
    EXPECT_TRUE(LooksLike(ScreenPixel(11, 10), RGB(0, 128, 255))) << std::hex
                                                                   << ScreenPixel(11, 10);
    DestroyWindow(picture);
}

// The come-back hides the window and shows it again without activating it;
// a clear shows a new one.
TEST_F(Lifecycle, ComingBackWaitsForTheUncoveredScreenAndTakesTheKeyboard)
{
    // Each waits while hidden and copies the screen after the wait. A clear
    // waits once, before the new window shows: that window comes back on
    // top over this copy, never hidden again to copy a screen it covers.
    Activate(WA_INACTIVE);
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(std::vector<BOOL>{FALSE}, g_fake.compositorWaitsVisible);
    EXPECT_NE(nullptr, g_app.backdropDC);
    window = g_app.overlay;
    EXPECT_EQ(0, g_app.reactivationPending);
    EXPECT_TRUE((ExStyle() & WS_EX_TOPMOST) && (ExStyle() & WS_EX_TOOLWINDOW));
    EXPECT_EQ(window, GetActiveWindow());

    Activate(WA_INACTIVE);
    g_fake.compositorWaitsVisible.clear();
    Activate(WA_ACTIVE);
    EXPECT_EQ(std::vector<BOOL>{FALSE}, g_fake.compositorWaitsVisible);
    EXPECT_NE(nullptr, g_app.backdropDC);
    EXPECT_EQ(window, GetActiveWindow());
    EXPECT_EQ(window, GetFocus());

    // Once it has the keyboard again, losing the activation to nobody is
    // the user leaving, not an answer to the hide: it steps back, and the
    // keyboard's second taking, posted by the come-back, leaves it so.
    SetActiveWindow(NULL);
    PumpMessages();
    EXPECT_EQ(1, g_app.reactivationPending);
    EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(nullptr, GetActiveWindow());
}

// Wine's X driver may tell of the hide's focus-out only after the come-back
// has taken the keyboard back: it cancels the window's modes, then hands the
// foreground to the desktop window.
TEST_F(Lifecycle, TheLateXAnswerToTheComeBacksHideKeepsItOnTopWithTheKeys)
{
    const struct {
        const char *what;
        bool xSaysFocusLeft;
        DWORD msSinceHide;
        bool stepsBack;
    } cases[] = {
        {"X answers at once", true, 0, false},
        {"X answers over a second later: the user's", true, 1500, true},
        {"no word from X: the user's", false, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Activate(WA_INACTIVE);
        Activate(WA_ACTIVE);
        ASSERT_EQ(window, GetFocus());
        g_app.ownHideTick -= c.msSinceHide;
        if (c.xSaysFocusLeft)
            SendMessageA(window, WM_CANCELMODE, 0, 0);
        SetForegroundWindow(GetDesktopWindow());
        PumpMessages();
        EXPECT_EQ(c.stepsBack, g_app.reactivationPending == 1);
        EXPECT_EQ(c.stepsBack, !(ExStyle() & WS_EX_TOPMOST));
        if (!c.stepsBack) {
            EXPECT_EQ(window, GetForegroundWindow());
            EXPECT_EQ(window, GetFocus());
        }
    }
}

// The release of the button and a digit's key-up go to the program the user
// switched to; the overlay must not go on spraying or store a slot later.
TEST_F(Lifecycle, SteppingBackEndsTheStrokeAndTheDigitHold)
{
    g_app.holdThreshold = 3;
    g_settings.slots[5] = RGB(1, 2, 3);
    SelectSlot(1);
    OverlayWndProc(window, WM_LBUTTONDOWN, 0, 0);
    for (int i = 0; i < 3; i++)
        OverlayWndProc(window, WM_KEYDOWN, '4', 0);
    g_fake.soundCalls.clear();
    Activate(WA_INACTIVE);

    EXPECT_EQ(0, g_app.spraying);
    EXPECT_FALSE(KillTimer(window, 1)) << "the spray timer still runs";
    ASSERT_EQ(1u, g_fake.soundCalls.size());
    EXPECT_EQ("", g_fake.soundCalls[0].sound);

    // Back again, a tap of 5 selects slot 5 and stores nothing.
    Activate(WA_ACTIVE);
    OverlayWndProc(window, WM_KEYDOWN, '5', 0);
    OverlayWndProc(window, WM_KEYUP, '5', 0);
    EXPECT_EQ(RGB(1, 2, 3), g_settings.slots[5]);
    EXPECT_EQ(RGB(1, 2, 3), g_app.currentColour);
}

TEST_F(Lifecycle, ClearReplacesTheWindowAndItsCanvasButNotTheProcess)
{
    HDC oldCanvas = g_app.canvasDC;
    g_app.screensaverBlock = 0;
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    EXPECT_TRUE(g_fake.endProcessCodes.empty());
    EXPECT_FALSE(IsWindow(window));
    ASSERT_TRUE(IsWindow(g_app.overlay));
    EXPECT_NE(window, g_app.overlay);
    EXPECT_NE(oldCanvas, g_app.canvasDC);
    EXPECT_EQ(0, g_app.clearPending);
    EXPECT_EQ(0, g_app.screensaverBlock);
    RECT rect;
    GetWindowRect(g_app.overlay, &rect);
    EXPECT_EQ(g_app.screenWidth, rect.right - rect.left);
    EXPECT_EQ(g_app.screenHeight, rect.bottom - rect.top);

    // And once more on the new window.
    HWND second = g_app.overlay;
    OverlayWndProc(second, WM_CHAR, 'x', 0);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(g_app.overlay));
    EXPECT_TRUE(g_fake.endProcessCodes.empty());
}

// Keys typed right after "x" must reach the new window: the activation goes
// from the old window straight to the new one, never to a window under
// them, which on Windows could then keep the foreground.
TEST_F(Lifecycle, AClearOnTopHandsTheActivationStraightToTheNewWindow)
{
    HWND other = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 99, 99, NULL, NULL, NULL, NULL);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    std::vector<std::string> activations = {"activate Pintaflux"};
    EXPECT_EQ(activations, SentDuring([&] { OverlayWndProc(window, WM_CHAR, 'x', 0); }));
    EXPECT_EQ(g_app.overlay, GetActiveWindow());
    EXPECT_EQ(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ExStyle() & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    DestroyWindow(other);
}

TEST_F(Lifecycle, ClearWithoutTheSaveFlagReloadsTheSettings)
{
    g_settings.spraySize = 32;
    g_settings.slots[2] = RGB(1, 2, 3);
    g_settings.currentSlot = 2;
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    // No file: the factory values, at the slot index that was current.
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(2, g_settings.currentSlot);
    EXPECT_EQ(RGB(0, 128, 0), g_app.currentColour);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("settings.dat"));
}

TEST_F(Lifecycle, ClearWithTheSaveFlagWritesAndKeepsTheSettings)
{
    g_app.saveOnExit = 1;
    g_settings.spraySize = 32;
    g_settings.mute = 1;
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(32, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mute);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("settings.dat"));
    EXPECT_EQ(1, g_app.saveOnExit);
}

TEST_F(Lifecycle, AClearRequestWithNoClearPendingEndsTheProgram)
{
    OverlayWndProc(window, WM_USER, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_FALSE(g_fake.endProcessCodes.empty());
    EXPECT_EQ(0u, g_fake.endProcessCodes[0]);
}

TEST_F(Lifecycle, ASprayingStrokeGoesOnOverTheNewWindow)
{
    OverlayWndProc(window, WM_LBUTTONDOWN, 0, 0);
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(1, g_app.spraying);
    g_fake.soundCalls.clear();
    OverlayWndProc(g_app.overlay, WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_FALSE(g_fake.soundCalls.empty());
    OverlayWndProc(g_app.overlay, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(0, g_app.spraying);
}

// A top-level window whose thread stops answering messages.
static DWORD WINAPI RunHungWindow(LPVOID parameter)
{
    HWND *made = (HWND *)parameter;
    *made = CreateWindowExA(0, "Static", "hung", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL,
                            NULL, NULL, NULL);
    Sleep(3000);
    DestroyWindow(*made);
    return 0;
}

TEST_F(Lifecycle, AClearIsNotHeldUpByAWindowThatDoesNotAnswer)
{
    HWND hung = NULL;
    HANDLE thread = CreateThread(NULL, 0, RunHungWindow, &hung, 0, NULL);
    while (!hung)
        Sleep(10);
    DWORD start = GetTickCount();
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 2000u);
    EXPECT_TRUE(IsWindow(g_app.overlay));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
}

TEST_F(Lifecycle, AFailedReplacementWindowEndsTheLoopWithQuitCodeOne)
{
    g_app.saveOnExit = 1;
    g_settings.spraySize = 19;
    // An instance under which the class is not registered: creation fails.
    HINSTANCE own = g_app.instance;
    g_app.instance = GetModuleHandleA("user32.dll");
    OverlayWndProc(window, WM_CHAR, 'x', 0);
    g_app.instance = own;

    EXPECT_EQ(nullptr, g_app.overlay);
    EXPECT_TRUE(g_fake.endProcessCodes.empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("settings.dat"));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(1u, quit.wParam);

    // A dab that still came through would find no window and no canvas:
    // it draws nothing anywhere, the screen included.
    HWND picture = ShowPictureWindow(RGB(0, 128, 255));
    g_app.spraying = 1;
    g_app.currentColour = RGB(255, 255, 255);
    SetCursorPos(200, 200);
    OverlayWndProc(NULL, WM_MOUSEMOVE, MK_LBUTTON, 0);
    g_app.spraying = 0;
    SettleScreen();
    EXPECT_TRUE(LooksLike(ScreenPixel(200, 200), RGB(0, 128, 255)));
    DestroyWindow(picture);
}
