// The colour chooser as a user works it: right button, the dialog's own
// controls, Enter and Escape.
#include <gtest/gtest.h>
#include "e2e/harness.h"

enum {
    kRedEdit = 706,  // the dialog's red, green and blue boxes
    kGreenEdit = 707,
    kBlueEdit = 708,
};

static int ControlNumber(HWND dialog, int id)
{
    char text[16] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, (LPARAM)text);
    return atoi(text);
}

class ChooserDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ShowKnownPicture());
        ASSERT_TRUE(StartAndWaitForWindow(&program));
        // Remember the settings, to read back what the chooser did.
        TypeText("s");
        MoveMouse(300, 300);
        ClickRightButton();
        dialog = WaitForWindowTitled(program, "Spray Can Store", 10000);
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override
    {
        EndProgram(&program);
        HideKnownPicture();
        PumpTestMessages();
    }
    std::vector<BYTE> SettingsAfterEscape()
    {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
        Sleep(200);
        TypeText("\x1b");
        EXPECT_EQ(0, WaitForExit(&program, 15000));
        return ReadFileBytes(FolderFile(program, "settings.dat"));
    }
    Program program = {};
    HWND dialog = NULL;
};

TEST_F(ChooserDialog, OpensFullWithTheCurrentColourSelected)
{
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kRedEdit)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kBlueEdit)));
    // The first start's current colour is slot 0, black.
    EXPECT_EQ(0, ControlNumber(dialog, kRedEdit));
    EXPECT_EQ(0, ControlNumber(dialog, kGreenEdit));
    EXPECT_EQ(0, ControlNumber(dialog, kBlueEdit));
    PressKey(VK_ESCAPE);
}

TEST_F(ChooserDialog, AConfirmedColourBecomesTheCurrentCustomSlot)
{
    TypeIntoControl(GetDlgItem(dialog, kRedEdit), "200");
    TypeIntoControl(GetDlgItem(dialog, kGreenEdit), "100");
    TypeIntoControl(GetDlgItem(dialog, kBlueEdit), "50");
    EXPECT_EQ(200, ControlNumber(dialog, kRedEdit));
    PressKey(VK_RETURN);
    std::vector<BYTE> settings = SettingsAfterEscape();
    ASSERT_EQ(87u, settings.size());
    EXPECT_EQ(10, settings[1]);  // current slot: the custom slot
    EXPECT_EQ(1, settings[5]);   // custom-slot flag
    EXPECT_EQ(200, settings[6 + 3 * 10]);
    EXPECT_EQ(100, settings[6 + 3 * 10 + 1]);
    EXPECT_EQ(50, settings[6 + 3 * 10 + 2]);
}

TEST_F(ChooserDialog, CancellingWithEscapeChangesNothing)
{
    TypeIntoControl(GetDlgItem(dialog, kRedEdit), "200");
    PressKey(VK_ESCAPE);
    std::vector<BYTE> settings = SettingsAfterEscape();
    ASSERT_EQ(87u, settings.size());
    EXPECT_EQ(0, settings[1]);
    EXPECT_EQ(0, settings[5]);
    // The custom slot keeps its factory cyan.
    EXPECT_EQ(0x00, settings[6 + 3 * 10]);
    EXPECT_EQ(0xFF, settings[6 + 3 * 10 + 1]);
    EXPECT_EQ(0xFF, settings[6 + 3 * 10 + 2]);
}

TEST_F(ChooserDialog, MovingTheDialogLeavesNoTrails)
{
    RECT before;
    GetWindowRect(dialog, &before);
    // Dragged as far away as the screen allows.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    int x = before.left > width / 2 ? 0 : width - (before.right - before.left);
    int y = before.top > height / 2 ? 0 : height - (before.bottom - before.top);
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(500);
    RECT after;
    GetWindowRect(dialog, &after);
    RECT uncovered;
    SubtractRect(&uncovered, &before, &after);
    int probeX = (before.left + before.right) / 2, probeY = (before.top + before.bottom) / 2;
    POINT probe = {probeX, probeY};
    ASSERT_FALSE(PtInRect(&after, probe));
    EXPECT_TRUE(WaitUntil([&] {
        return SeesPictureAt(probeX, probeY);
    }, 3000)) << std::hex << SeenPixel(probeX, probeY);
    PressKey(VK_ESCAPE);
}

TEST(ChooserWhileSpraying, TheRightButtonEndsTheStrokeBeforeTheChooserOpens)
{
    ASSERT_TRUE(ShowKnownPicture());
    Program program = {};
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    MoveMouse(300, 300);
    PressLeftButton();
    ClickRightButton();
    HWND dialog = WaitForWindowTitled(program, "Spray Can Store", 10000);
    ASSERT_NE(nullptr, dialog);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
    Sleep(300);
    // The button is still down, but the stroke ended: moving sprays nothing.
    for (int x = 300; x <= 360; x += 6)
        MoveMouse(x, 380);
    Sleep(300);
    EXPECT_TRUE(SeesPictureAt(340, 380));
    ReleaseLeftButton();
    EndProgram(&program);
    HideKnownPicture();
    PumpTestMessages();
}
