// Stepping back when another window is activated, coming back, and clearing.
#include <gtest/gtest.h>
#include "e2e/harness.h"

static LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(RGB(250, 200, 0));
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// An ordinary captioned window of the test's own, to take the activation.
static HWND ShowOtherWindow()
{
    static int registered = 0;
    if (!registered) {
        WNDCLASSA otherClass = {};
        otherClass.lpfnWndProc = OtherProc;
        otherClass.hInstance = GetModuleHandleA(NULL);
        otherClass.lpszClassName = "PintafluxOtherWindow";
        RegisterClassA(&otherClass);
        registered = 1;
    }
    HWND other = CreateWindowExA(0, "PintafluxOtherWindow", "another program",
                                 WS_OVERLAPPEDWINDOW, 600, 100, 300, 300, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
    ShowWindow(other, SW_SHOW);
    UpdateWindow(other);
    PumpTestMessages();
    return other;
}

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ShowKnownPicture());
        ASSERT_TRUE(StartAndWaitForWindow(&program));
    }
    void TearDown() override
    {
        EndProgram(&second);
        EndProgram(&program);
        if (other)
            DestroyWindow(other);
        HideKnownPicture();
        PumpTestMessages();
    }
    LONG ExStyle() { return GetWindowLongA(program.window, GWL_EXSTYLE); }
    bool SteppedBack()
    {
        return !(ExStyle() & WS_EX_TOOLWINDOW) && !(ExStyle() & WS_EX_TOPMOST)
               && GetWindow(program.window, GW_HWNDLAST) == program.window;
    }
    bool OnTop() { return (ExStyle() & WS_EX_TOOLWINDOW) && (ExStyle() & WS_EX_TOPMOST); }
    void StepBack()
    {
        if (!other)
            other = ShowOtherWindow();
        SetForegroundWindow(other);
        ASSERT_TRUE(WaitUntil([&] { return SteppedBack(); }, 5000));
    }
    // A short press lays one dab at the point.
    void Dab(int x, int y)
    {
        MoveMouse(x, y);
        PressLeftButton();
        ReleaseLeftButton();
        Sleep(200);
    }
    // Waits for "x" to replace the window, and for the new one to take the keys.
    bool Replaced()
    {
        HWND old = program.window;
        if (!WaitUntil([&] { return !IsWindow(old); }, 5000))
            return false;
        program.window = WaitForOverlay(program, 5000);
        return program.window
               && WaitUntil([&] { return GetForegroundWindow() == program.window; }, 5000);
    }
    Program program = {};
    Program second = {};
    HWND other = NULL;
};

TEST_F(Lifecycle, AnotherWindowsActivationSendsTheOverlayToTheBottom)
{
    StepBack();
    EXPECT_TRUE(IsWindowVisible(program.window));
    // The large icon is checked in-process: Wine does not answer WM_GETICON
    // from another process.

    // Clicked into, it becomes active but stays stepped back; a second
    // deactivation keeps it there.
    HideKnownPicture();
    ClickLeftAt(100, 600);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.window; }, 5000));
    Sleep(300);
    EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
    EXPECT_FALSE(ExStyle() & WS_EX_TOOLWINDOW);
    // The activation raised it within the ordinary band; the other window
    // is raised again and clicked, as a user would.
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(200);
    ClickLeftAt(750, 250);
    EXPECT_TRUE(WaitUntil([&] { return SteppedBack(); }, 5000));
    EXPECT_EQ(other, GetForegroundWindow());
}

TEST_F(Lifecycle, ActivationFromOutsideBringsThePaintBackOverTheScreenAsItIsNow)
{
    TypeText("+++");
    Dab(200, 200);
    ASSERT_FALSE(SeesPictureAt(200, 200));
    StepBack();
    // The other window now lies over part of the screen.
    SetForegroundWindow(program.window);
    ASSERT_TRUE(WaitUntil([&] { return OnTop(); }, 5000));
    Sleep(300);
    EXPECT_FALSE(SeesPictureAt(200, 200));
    EXPECT_TRUE(SeesPictureAt(260, 200));
    EXPECT_TRUE(LooksLike(SeenPixel(750, 250), RGB(250, 200, 0)));
}

TEST_F(Lifecycle, ASecondStartBringsItBackAndEndsWithCodeFour)
{
    StepBack();
    ASSERT_TRUE(StartProgram(program.folder, &second));
    EXPECT_EQ(4, WaitForExit(&second, 15000));
    ASSERT_TRUE(WaitUntil([&] { return OnTop(); }, 5000));
    // The late X answer to the come-back's hide must neither send it down
    // again nor leave the keys with no window.
    Sleep(500);
    EXPECT_TRUE(OnTop()) << std::hex << "foreground " << GetForegroundWindow();
    TypeText("\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
}

TEST_F(Lifecycle, XClearsThePaintAndKeepsTheWindowSize)
{
    Dab(300, 300);
    ASSERT_FALSE(SeesPictureAt(300, 300));
    TypeText("x");
    ASSERT_TRUE(Replaced());
    EXPECT_TRUE(WaitUntil([&] { return SeesPictureAt(300, 300); }, 5000));
    EXPECT_TRUE(SeesPictureAt(5, 5) && SeesPictureAt(1000, 700)) << std::hex << SeenPixel(5, 5);
    // New paint lands on the screen that shows through.
    Dab(500, 300);
    EXPECT_FALSE(SeesPictureAt(500, 300));
    EXPECT_TRUE(SeesPictureAt(530, 300));
    RECT rect;
    GetWindowRect(program.window, &rect);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top);

    // Twice in a row, and the program still answers.
    TypeText("x");
    ASSERT_TRUE(Replaced());
    TypeText("\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
}

TEST_F(Lifecycle, XWithTheSaveFlagWritesTheSettingsAndKeepsThem)
{
    TypeText("s+");
    TypeText("x");
    ASSERT_TRUE(Replaced());
    // The clear wrote the file before the new window read it back.
    std::string file = FolderFile(program, "settings.dat");
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(25, ReadFileBytes(file)[4]);
    TypeText("\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_EQ(25, ReadFileBytes(file)[4]);
}

TEST_F(Lifecycle, XWithoutTheSaveFlagForgetsChangesSinceTheStart)
{
    TypeText("+x");
    ASSERT_TRUE(Replaced());
    // Saving now writes what the new window loaded: the factory size 19.
    TypeText("s\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    std::vector<BYTE> settings = ReadFileBytes(FolderFile(program, "settings.dat"));
    ASSERT_EQ(87u, settings.size());
    EXPECT_EQ(19, settings[4]);
}

TEST_F(Lifecycle, XWhileTheButtonIsHeldSpraysOnUntilRelease)
{
    MoveMouse(400, 500);
    PressLeftButton();
    TypeText("x");
    ASSERT_TRUE(Replaced());
    Sleep(300);
    for (int x = 400; x <= 480; x += 8)
        MoveMouse(x, 500);
    ReleaseLeftButton();
    Sleep(300);
    EXPECT_FALSE(SeesPictureAt(460, 500));
    MoveMouse(600, 600);
    Sleep(300);
    EXPECT_TRUE(SeesPictureAt(600, 600));
}
