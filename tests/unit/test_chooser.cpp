// The colour chooser behind the right button, with the modal dialog faked.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "colour/chooser.h"
#include "core/state.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

class Chooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTest();
        window = StartTestOverlay();
        ASSERT_NE(nullptr, window);
        g_settings.slotCount = 11;
        for (int i = 0; i < 11; i++)
            g_settings.slots[i] = RGB(i * 20, i * 10, 0);
        g_settings.mirror = 1;
        g_settings.chooserColours[0] = RGB(9, 8, 7);
        OverlayWndProc(window, WM_KEYUP, '4', 0);
    }
    void TearDown() override { EndTestOverlay(); }
    void RightClick() { OverlayWndProc(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6)); }
    HWND window = NULL;
};

TEST_F(Chooser, OpensWithTheCurrentColourAndTheSettingsCustomColours)
{
    RightClick();
    ASSERT_EQ(1, g_fake.chooserCalls);
    const CHOOSECOLORA &record = g_fake.lastChooser;
    // 36 bytes in the 32-bit program; the 64-bit test build has wider pointers.
    EXPECT_EQ(sizeof(void *) == 4 ? 36u : 72u, record.lStructSize);
    EXPECT_EQ(window, record.hwndOwner);
    EXPECT_EQ(nullptr, record.hInstance);
    EXPECT_EQ(RGB(80, 40, 0), record.rgbResult);
    EXPECT_EQ(g_settings.chooserColours, record.lpCustColors);
    EXPECT_EQ(0x13u, record.Flags);
    EXPECT_EQ((DWORD)(CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK), record.Flags);
    EXPECT_EQ(0, record.lCustData);
    EXPECT_EQ(&ChooserHook, record.lpfnHook);
    EXPECT_EQ(nullptr, record.lpTemplateName);
}

TEST_F(Chooser, AConfirmedColourBecomesTheCustomSlotAndTheCurrentColour)
{
    g_fake.chooserConfirms = 1;
    g_fake.chooserColour = RGB(12, 34, 56);
    RightClick();
    EXPECT_EQ(RGB(12, 34, 56), g_settings.slots[10]);
    EXPECT_EQ(1, g_settings.customSlotSet);
    EXPECT_EQ(10, g_settings.currentSlot);
    EXPECT_EQ(RGB(12, 34, 56), g_app.currentColour);
    // "l" and the wheel reach it from now on.
    OverlayWndProc(window, WM_KEYUP, '2', 0);
    OverlayWndProc(window, WM_CHAR, 'l', 0);
    EXPECT_EQ(10, g_settings.currentSlot);
}

TEST_F(Chooser, ConfirmingTheCurrentColourStillMovesToTheCustomSlot)
{
    g_fake.chooserConfirms = 1;
    g_fake.chooserColour = RGB(80, 40, 0);
    RightClick();
    EXPECT_EQ(10, g_settings.currentSlot);
    EXPECT_EQ(1, g_settings.customSlotSet);
    EXPECT_EQ(RGB(80, 40, 0), g_settings.slots[10]);
}

TEST_F(Chooser, CancellingChangesNothingButRebuildsTheCursor)
{
    HCURSOR before = g_app.cursor;
    COLORREF custom = g_settings.slots[10];
    RightClick();
    EXPECT_EQ(4, g_settings.currentSlot);
    EXPECT_EQ(RGB(80, 40, 0), g_app.currentColour);
    EXPECT_EQ(0, g_settings.customSlotSet);
    EXPECT_EQ(custom, g_settings.slots[10]);
    EXPECT_NE(nullptr, g_app.cursor);
    EXPECT_NE(before, g_app.cursor);
}

TEST_F(Chooser, TheRightButtonEndsARunningStrokeFirst)
{
    OverlayWndProc(window, WM_LBUTTONDOWN, 0, 0);
    g_fake.soundCalls.clear();
    RightClick();
    EXPECT_EQ(0, g_app.spraying);
    ASSERT_EQ(1u, g_fake.soundCalls.size());
    EXPECT_EQ((DWORD)SND_NODEFAULT, g_fake.soundCalls[0].flags);
    // The timer died with the stroke.
    EXPECT_FALSE(KillTimer(window, 1));
}

TEST_F(Chooser, LeavesNoSnapshotBehind)
{
    int freeBefore = FreeGdiHandles();
    for (int i = 0; i < 20; i++)
        RightClick();
    EXPECT_EQ(0, g_app.chooserOpen);
    EXPECT_EQ(nullptr, g_app.snapshotDC);
    EXPECT_EQ(nullptr, g_app.snapshotBitmap);
    EXPECT_EQ(freeBefore, FreeGdiHandles());
}

TEST_F(Chooser, TheHookRetitlesTheDialogAndHandsTheFocusBack)
{
    HWND dialog = CreateWindowExA(0, "Static", "Color", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  NULL, NULL, g_app.instance, NULL);
    EXPECT_EQ(0u, ChooserHook(dialog, WM_INITDIALOG, 0, 0));
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ("Spray Can Store", caption);
    SetFocus(dialog);
    EXPECT_EQ(0u, ChooserHook(dialog, WM_DESTROY, 0, 0));
    EXPECT_EQ(window, GetFocus());
    DestroyWindow(dialog);
}

// The dialog takes the activation and hands it back as it ends: the window
// comes back on top once the dialog is gone, without hiding to copy the
// screen again (a hidden window loses the keys typed at an X display).
TEST_F(Chooser, TheWindowComesBackOnTopWithoutHidingWhenTheDialogEnds)
{
    g_fake.chooserShowsDialog = 1;
    g_fake.compositorWaitsVisible.clear();
    RightClick();
    EXPECT_EQ(0, g_app.reactivationPending);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(window, GetActiveWindow());
    EXPECT_TRUE(g_fake.compositorWaitsVisible.empty()) << "the window was hidden to copy the screen";
}
