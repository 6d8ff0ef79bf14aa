// The character keys and the system-command filter, through the window procedure.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "core/state.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

static LRESULT Char(HWND window, WPARAM code)
{
    return OverlayWndProc(window, WM_CHAR, code, 0);
}

TEST(Keys, PlusStepsTheSpraySizeUpToThirtyTwoAndNoFurther)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.spraySize = 13;
    Char(window, '+');
    EXPECT_EQ(19, g_settings.spraySize);
    Char(window, '+');
    EXPECT_EQ(25, g_settings.spraySize);
    Char(window, '+');
    EXPECT_EQ(32, g_settings.spraySize);
    Char(window, '+');
    EXPECT_EQ(32, g_settings.spraySize);
    EndTestOverlay();
}

TEST(Keys, MinusStepsTheSpraySizeDownToThirteenAndNoFurther)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.spraySize = 32;
    int expected[] = {25, 19, 13, 13};
    for (int size : expected) {
        Char(window, '-');
        EXPECT_EQ(size, g_settings.spraySize);
    }
    EndTestOverlay();
}

TEST(Keys, ASpraySizeOutsideTheFourIsLeftAlone)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.spraySize = 20;
    Char(window, '+');
    EXPECT_EQ(20, g_settings.spraySize);
    Char(window, '-');
    EXPECT_EQ(20, g_settings.spraySize);
    EndTestOverlay();
}

TEST(Keys, SSetsTheSaveFlagForGood)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    EXPECT_EQ(0, g_app.saveOnExit);
    Char(window, 's');
    EXPECT_EQ(1, g_app.saveOnExit);
    Char(window, 's');
    EXPECT_EQ(1, g_app.saveOnExit);
    EndTestOverlay();
}

TEST(Keys, UpperCaseLettersAndOtherCodesDoNothing)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.spraySize = 19;
    g_settings.mirror = 1;
    g_settings.mute = 0;
    const char *codes = "SNMHXL=_0123456789aAzZ ";
    for (const char *code = codes; *code; code++)
        EXPECT_EQ(0, Char(window, (WPARAM)(unsigned char)*code));
    EXPECT_EQ(0, g_app.saveOnExit);
    EXPECT_EQ(1, g_app.screensaverBlock);
    EXPECT_EQ(0, g_app.clearPending);
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mirror);
    EXPECT_EQ(0, g_settings.mute);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(g_fake.soundCalls.empty());
    EndTestOverlay();
}

TEST(Keys, MTogglesMuteAndPurgesTheSoundOnlyWhenMuting)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.mute = 0;
    Char(window, 'm');
    EXPECT_EQ(1, g_settings.mute);
    ASSERT_EQ(1u, g_fake.soundCalls.size());
    EXPECT_EQ("", g_fake.soundCalls[0].sound);
    EXPECT_EQ((DWORD)SND_PURGE, g_fake.soundCalls[0].flags);
    Char(window, 'm');
    EXPECT_EQ(0, g_settings.mute);
    EXPECT_EQ(1u, g_fake.soundCalls.size());
    EndTestOverlay();
}

TEST(Keys, ATogglingKeyActsAgainOnEveryRepeat)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.mirror = 1;
    Char(window, 'h');
    EXPECT_EQ(0, g_settings.mirror);
    Char(window, 'h');
    EXPECT_EQ(1, g_settings.mirror);
    // A flag holding some other value from a file toggles to 0.
    g_settings.mirror = 7;
    Char(window, 'h');
    EXPECT_EQ(0, g_settings.mirror);
    EndTestOverlay();
}

TEST(Keys, EscapeDestroysTheWindowAndEndsTheProcessWithCodeZero)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    Char(window, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(1u, g_fake.endProcessCodes.size());
    EXPECT_EQ(0u, g_fake.endProcessCodes[0]);
}

TEST(Keys, AQuitMessageSentToTheProcedureRunsTheShutdown)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_app.clearPending = 1;
    OverlayWndProc(window, WM_QUIT, 0, 0);
    ASSERT_EQ(1u, g_fake.endProcessCodes.size());
    EXPECT_EQ(0u, g_fake.endProcessCodes[0]);
    g_app.clearPending = 0;
    EndTestOverlay();
}

// Default processing reports a system command to the CBT hook before it
// carries it out; the hook refuses it, so nothing really happens.
static std::vector<WPARAM> g_defaultSysCommands;

static LRESULT CALLBACK RecordSysCommand(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND) {
        g_defaultSysCommands.push_back(wParam);
        return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static bool ReachesDefaultProcessing(HWND window, WPARAM command)
{
    g_defaultSysCommands.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordSysCommand, NULL, GetCurrentThreadId());
    LRESULT result = OverlayWndProc(window, WM_SYSCOMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    bool reached = !g_defaultSysCommands.empty();
    if (!reached) {
        EXPECT_EQ(0, result);
    }
    return reached;
}

TEST(SystemCommands, ScreenSaverAndMonitorPowerAreSwallowedUntilN)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    EXPECT_FALSE(ReachesDefaultProcessing(window, SC_SCREENSAVE));
    EXPECT_FALSE(ReachesDefaultProcessing(window, SC_MONITORPOWER));

    OverlayWndProc(window, WM_CHAR, 'n', 0);
    EXPECT_TRUE(ReachesDefaultProcessing(window, SC_SCREENSAVE));
    EXPECT_TRUE(ReachesDefaultProcessing(window, SC_MONITORPOWER));

    OverlayWndProc(window, WM_CHAR, 'n', 0);
    EXPECT_FALSE(ReachesDefaultProcessing(window, SC_SCREENSAVE));
    EXPECT_FALSE(ReachesDefaultProcessing(window, SC_MONITORPOWER));
    EndTestOverlay();
}

// The low four bits are the system's own: the command is what is left.
TEST(SystemCommands, TheLowFourBitsAreMaskedOffAndOtherCommandsGoToDefaultProcessing)
{
    const struct {
        WPARAM command;
        bool reaches;
    } cases[] = {{SC_MINIMIZE, true}, {SC_SCREENSAVE | 1, false}, {SC_SCREENSAVE | 0xF, false},
                 {SC_MONITORPOWER | 2, false}};
    ResetForTest();
    HWND window = StartTestOverlay();
    for (const auto &c : cases)
        EXPECT_EQ(c.reaches, ReachesDefaultProcessing(window, c.command)) << std::hex << c.command;
    EndTestOverlay();
}

TEST(DisplayRequest, IsHeldFromStartUpDroppedByNAndTakenAgainByTheNextN)
{
    ResetForTest();
    HWND window = StartLikeWinMain();
    ASSERT_NE(nullptr, window);
    Char(window, 'n');
    Char(window, 'n');
    const std::vector<EXECUTION_STATE> expected = {
        ES_CONTINUOUS | ES_DISPLAY_REQUIRED, ES_CONTINUOUS, ES_CONTINUOUS | ES_DISPLAY_REQUIRED};
    EXPECT_EQ(expected, g_fake.executionStates);
    EndTestOverlay();
}
