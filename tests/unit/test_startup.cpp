// Start-up: the hold threshold, the overlay window and the single-instance test.
#include <gtest/gtest.h>
#include "app/overlay_window.h"
#include "app/startup.h"
#include "core/state.h"
#include "core/system_library.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

TEST(HoldThreshold, DividesFiveHundredByTheRepeatSpeed)
{
    EXPECT_EQ(16, HoldThresholdFromSpeed(31));
    EXPECT_EQ(25, HoldThresholdFromSpeed(20));
    EXPECT_EQ(500, HoldThresholdFromSpeed(1));
}

TEST(HoldThreshold, SpeedZeroCountsAsTheSlowestSpeedInsteadOfDividingByZero)
{
    EXPECT_EQ(500, HoldThresholdFromSpeed(0));
}

TEST(HoldThreshold, IsTakenFromThePlatformAtStartUp)
{
    ResetForTest();
    g_app.holdThreshold = 0;
    TakeHoldThreshold();
    UINT speed = 99;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0));
    EXPECT_EQ(HoldThresholdFromSpeed(speed), g_app.holdThreshold);
    EXPECT_GE(g_app.holdThreshold, 16);
    EXPECT_LE(g_app.holdThreshold, 500);
}

TEST(OverlayWindow, CoversTheScreenFromTheOriginAsAHiddenToolPopup)
{
    ResetForTest();
    HWND window = NULL;
    ASSERT_EQ(1, CreateOverlayWindow(&window, g_app.screenWidth, g_app.screenHeight,
                                     g_app.instance));
    ASSERT_NE(nullptr, window);
    g_app.overlay = window;

    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(g_app.screenWidth, rect.right);
    EXPECT_EQ(g_app.screenHeight, rect.bottom);
    EXPECT_EQ((LONG)WS_POPUP, GetWindowLongA(window, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(window));

    char text[64];
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ("Pintaflux", text);
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("Pintaflux", text);
    EndTestOverlay();
}

TEST(OverlayWindow, AFailedCreationStoresANullHandle)
{
    ResetForTest();
    HWND window = (HWND)1;
    // An instance under which the class is not registered.
    EXPECT_EQ(0, CreateOverlayWindow(&window, 10, 10, (HINSTANCE)GetModuleHandleA("user32.dll")));
    EXPECT_EQ(nullptr, window);
}

TEST(OverlayWindow, IsShownInTheTopmostBand)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WS_EX_TOPMOST, GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EndTestOverlay();
}

static HWND MakeWindowOfClass(const char *className, const char *title)
{
    return CreateWindowExA(0, className, title, WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                           g_app.instance, NULL);
}

TEST(SingleInstance, AnyWindowOfTheClassCountsWhateverItsTitle)
{
    ResetForTest();
    HWND other = MakeWindowOfClass("Pintaflux", "some other title");
    ASSERT_NE(nullptr, other);
    g_fake.endProcessCodes.clear();
    EndIfAlreadyRunning();
    ASSERT_EQ(1u, g_fake.endProcessCodes.size());
    EXPECT_EQ(4u, g_fake.endProcessCodes[0]);
    g_app.overlay = other;
    EndTestOverlay();
}

TEST(SingleInstance, NoWindowOfTheClassLetsStartUpGoOn)
{
    ResetForTest();
    HWND titled = MakeWindowOfClass("Static", "Pintaflux");
    EndIfAlreadyRunning();
    EXPECT_TRUE(g_fake.endProcessCodes.empty());
    DestroyWindow(titled);
}

TEST(StartUp, KeepsDllsToTheSystemFolderDeclaresDpiAwarenessAndTurnsInputMethodsOffBeforeAnyWindow)
{
    const std::string systemFolder = "SetDefaultDllDirectories(system32)";
    const std::string perMonitorV2 = "SetProcessDpiAwarenessContext(per monitor v2)";
    const std::string systemAware = "SetProcessDPIAware";
    const std::string noInputMethods = "ImmDisableIME(all threads)";
    struct {
        int lacksContext, contextFails, lacksDpiAware;
        std::vector<std::string> calls;
    } cases[] = {
        {0, 0, 0, {systemFolder, perMonitorV2, noInputMethods}},
        {1, 0, 0, {systemFolder, systemAware, noInputMethods}},
        {0, 1, 0, {systemFolder, perMonitorV2, systemAware, noInputMethods}},
        {1, 0, 1, {systemFolder, noInputMethods}},
    };
    for (const auto &c : cases) {
        ResetForTest();
        g_fake.lacksAwarenessContext = c.lacksContext;
        g_fake.awarenessContextFails = c.contextFails;
        g_fake.lacksDpiAware = c.lacksDpiAware;
        // Start-up goes on whatever the system offers.
        EXPECT_NE(nullptr, StartLikeWinMain());
        // None is "late": each comes before the first window.
        EXPECT_EQ(c.calls, g_fake.startCalls);
        EndTestOverlay();
    }
}

TEST(SystemDlls, ComeFromTheSystemFolder)
{
    char folder[MAX_PATH], path[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    for (const char *name : {"winmm.dll", "msimg32.dll", "dwmapi.dll", "imm32.dll"}) {
        ASSERT_TRUE(GetModuleFileNameA(LoadSystemLibrary(name), path, MAX_PATH)) << name;
        EXPECT_EQ(0, _strnicmp(folder, path, length)) << path;
    }
}
