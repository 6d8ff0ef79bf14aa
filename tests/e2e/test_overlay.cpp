// The overlay window as a user starts, sees and ends it.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include "e2e/harness.h"
#include "e2e/syscommand_record.h"

class Overlay : public ::testing::Test {
protected:
    void TearDown() override
    {
        EndProgram(&second);
        EndProgram(&program);
        HideKnownPicture();
        RestoreSystemDpi();
        PumpTestMessages();
    }
    Program program = {};
    Program second = {};
};

TEST_F(Overlay, CoversTheWholeScreenAsATopmostToolPopupNamedPintaflux)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    RECT rect;
    GetWindowRect(program.window, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rect.bottom);

    LONG style = GetWindowLongA(program.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_THICKFRAME));
    LONG exStyle = GetWindowLongA(program.window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    char text[64];
    GetClassNameA(program.window, text, sizeof text);
    EXPECT_STREQ("Pintaflux", text);
    GetWindowTextA(program.window, text, sizeof text);
    EXPECT_STREQ("Pintaflux", text);
}

// Starts the program over the known picture and expects its window to cover
// the screen and the whole screen to look as it did before, pixel for pixel.
static void ExpectTheScreenShowsThrough(Program *program)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<DWORD> before = ReadSeenScreen(0, 0, width, height);
    ASSERT_TRUE(StartAndWaitForWindow(program));
    ASSERT_TRUE(LooksLike(before[5 * width + 5], KnownPictureColour(5, 5)));
    RECT rect = {};
    GetWindowRect(program->window, &rect);
    EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == width && rect.bottom == height)
        << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;

    // Exact at 32 bits per pixel; within the 5-6-5 rounding at 16.
    int tolerance = DisplayDepth() == 16 ? 8 : 0;
    std::vector<DWORD> after = ReadSeenScreen(0, 0, width, height);
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < after.size(); i++)
        if (!NearColour(after[i], before[i], tolerance) && differing++ == 0)
            first = i;
    EXPECT_EQ(0u, differing) << "first at " << first % width << "," << first / width << ": "
                             << std::hex << after[first] << " instead of " << before[first];
}

TEST_F(Overlay, TheScreenUnderItStaysVisiblePixelForPixel)
{
    ASSERT_TRUE(ShowKnownPicture());
    ExpectTheScreenShowsThrough(&program);
}

// A display scaled to 150 %: the program, started with the system's DPI at
// 144, still covers the whole screen in real pixels and shows it unchanged.
TEST_F(Overlay, OnAScaledDisplayItStillCoversTheScreenAndShowsItUnchanged)
{
    SetSystemDpi(144);
    ASSERT_TRUE(ShowKnownPicture());
    ExpectTheScreenShowsThrough(&program);
}

// How far the paint of one dab laid at (x, y) reaches from its centre along
// its row, as a person sees it over the known picture; -1 for no paint.
static int SeenDabReach(int x, int y)
{
    MoveMouse(x, y);
    PressLeftButton();
    ReleaseLeftButton();
    Sleep(300);
    const int span = 40;
    std::vector<DWORD> row = ReadSeenScreen(x - span, y, 2 * span + 1, 1);
    int reach = -1;
    for (int d = -span; d <= span && !row.empty(); d++)
        if (!LooksLike(row[d + span], KnownPictureColour(x + d, y)))
            reach = std::max(reach, std::abs(d));
    return reach;
}

// A display at 200 %, in a session that starts there (at_dpi.sh): the can is
// as large as the system's pointers and the dabs twice their unscaled size,
// so both look as they do at 100 %.
TEST_F(Overlay, AtTwiceTheScaleTheCanAndTheDabsAreAsLargeToTheEye)
{
    SetSystemDpi(192);
    ASSERT_TRUE(ShowKnownPicture());
    ExpectTheScreenShowsThrough(&program);

    TypeText("3");  // navy, whose can has 96 pixels of the colour at 32 x 32
    MoveMouse(200, 200);
    SeenPointerImage pointer = {};
    EXPECT_TRUE(WaitUntil([&] {
        pointer = ReadSeenPointer();
        return CountLike(pointer.pixels, RGB(0, 0, 128)) > 0;
    }, 5000));
    EXPECT_EQ(64, pointer.width);
    EXPECT_EQ(64, pointer.height);
    EXPECT_EQ(50, pointer.hotSpot.x);  // the factory can is mirrored: 25 at 32
    EXPECT_EQ(18, pointer.hotSpot.y);
    EXPECT_EQ(4 * 96, CountLike(pointer.pixels, RGB(0, 0, 128)));

    // Over the yellow and the white band: sizes 13 and 32 reach about 6 and
    // 15 pixels at 100 %.
    TypeText("-");
    EXPECT_NEAR(12, SeenDabReach(448, 200), 1);
    TypeText("+++");
    EXPECT_NEAR(30, SeenDabReach(832, 200), 2);

}

TEST_F(Overlay, EscapeEndsWithExitCodeZeroAndWritesNoFile)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    TypeText("\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_TRUE(FolderEntries(program.folder).empty());
}

TEST_F(Overlay, UpperCaseLettersDoNothing)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    // "S" would ask for the settings to be written, "X" would clear.
    TypeText("SXHMNL");
    Sleep(300);
    EXPECT_TRUE(IsWindow(program.window));
    TypeText("\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_TRUE(FolderEntries(program.folder).empty());
}

TEST_F(Overlay, ASecondStartBringsTheFirstForwardAndEndsWithCodeFour)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    std::vector<BYTE> marker = {'k', 'e', 'e', 'p'};
    std::string file = FolderFile(program, "settings.dat");
    ASSERT_TRUE(StartProgram(program.folder, &second));
    EXPECT_EQ(4, WaitForExit(&second, 15000));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.window; }, 5000));
    EXPECT_TRUE(IsWindowVisible(program.window));

    // With a file present, the second start leaves it alone as well.
    WriteFileBytes(file, marker);
    ASSERT_TRUE(StartProgram(program.folder, &second));
    EXPECT_EQ(4, WaitForExit(&second, 15000));
    EXPECT_EQ(marker, ReadFileBytes(file));
}

static LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Overlay, AnyWindowOfClassPintafluxCountsAsRunning)
{
    WNDCLASSA lookalike = {};
    lookalike.lpfnWndProc = PlainProc;
    lookalike.hInstance = GetModuleHandleA(NULL);
    lookalike.lpszClassName = "Pintaflux";
    RegisterClassA(&lookalike);
    HWND impostor = CreateWindowExA(0, "Pintaflux", "not the overlay", WS_POPUP, 0, 0, 10, 10,
                                    NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, impostor);
    ASSERT_TRUE(StartProgram(MakeFreshFolder(), &program));
    EXPECT_EQ(4, WaitForExit(&program, 15000));
    DestroyWindow(impostor);
    UnregisterClassA("Pintaflux", GetModuleHandleA(NULL));
}


// Sends a system command as the platform would, and tells whether it went
// on to default processing.
static bool ReachesDefaultProcessing(HWND window, WPARAM command, SysCommandRecord *record)
{
    LONG before = record->count;
    SendMessageA(window, WM_SYSCOMMAND, command, 0);
    return record->count != before && record->last == command;
}

TEST_F(Overlay, ScreenSaverAndMonitorPowerCommandsAreSwallowedUntilN)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    SysCommandRecord *record = OpenSysCommandRecord();
    ASSERT_NE(nullptr, record);
    HMODULE library = LoadLibraryA("syscommand_hook.dll");
    ASSERT_NE(nullptr, library);
    // Through void *: the looked-up address is typeless.
    HOOKPROC hook = (HOOKPROC)(void *)GetProcAddress(library, "RecordSysCommand");
    ASSERT_NE(nullptr, hook);
    HHOOK installed = SetWindowsHookExA(WH_CBT, hook, library,
                                        GetWindowThreadProcessId(program.window, NULL));
    ASSERT_NE(nullptr, installed);

    EXPECT_FALSE(ReachesDefaultProcessing(program.window, SC_SCREENSAVE, record));
    EXPECT_FALSE(ReachesDefaultProcessing(program.window, SC_MONITORPOWER, record));
    EXPECT_TRUE(ReachesDefaultProcessing(program.window, SC_MINIMIZE, record));
    TypeText("n");
    Sleep(200);
    EXPECT_TRUE(ReachesDefaultProcessing(program.window, SC_SCREENSAVE, record));
    EXPECT_TRUE(ReachesDefaultProcessing(program.window, SC_MONITORPOWER, record));
    TypeText("n");
    Sleep(200);
    EXPECT_FALSE(ReachesDefaultProcessing(program.window, SC_SCREENSAVE, record));
    EXPECT_FALSE(ReachesDefaultProcessing(program.window, SC_MONITORPOWER, record));

    UnhookWindowsHookEx(installed);
    FreeLibrary(library);
}
