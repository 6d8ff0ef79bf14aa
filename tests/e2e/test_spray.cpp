// Spraying as a user does it: press, hold, drag, and the spray sizes.
#include <gtest/gtest.h>
#include "e2e/harness.h"

class Spray : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ShowKnownPicture());
        ASSERT_TRUE(StartAndWaitForWindow(&program));
    }
    void TearDown() override
    {
        EndProgram(&program);
        HideKnownPicture();
        PumpTestMessages();
    }
    // Presses at the point, holds for the time and lets go.
    void HoldAt(int x, int y, DWORD milliseconds)
    {
        MoveMouse(x, y);
        PressLeftButton();
        Sleep(milliseconds);
        ReleaseLeftButton();
        Sleep(150);
    }
    int Brightness(int x, int y)
    {
        DWORD pixel = SeenPixel(x, y);
        return (int)((pixel >> 16) & 0xFF) + (int)((pixel >> 8) & 0xFF) + (int)(pixel & 0xFF);
    }
    Program program = {};
};

TEST_F(Spray, APressLeavesASoftDabOfTheSpraySizeAndNothingOutsideIt)
{
    // The first start sprays black at size 19: the square (x-9, y-9)..(x+9, y+9).
    HoldAt(320, 200, 0);
    EXPECT_TRUE(LooksLike(SeenPixel(320, 200), RGB(0, 0, 0))) << std::hex << SeenPixel(320, 200);
    // Softer towards the rim.
    EXPECT_GT(Brightness(326, 200), Brightness(322, 200));
    EXPECT_FALSE(SeesPictureAt(325, 200));
    for (int d = -15; d <= 15; d++) {
        EXPECT_TRUE(SeesPictureAt(320 + d, 190)) << d;
        EXPECT_TRUE(SeesPictureAt(320 + d, 210)) << d;
        EXPECT_TRUE(SeesPictureAt(310, 200 + d)) << d;
        EXPECT_TRUE(SeesPictureAt(330, 200 + d)) << d;
    }
}

TEST_F(Spray, HoldingStillBuildsThePaintUp)
{
    HoldAt(320, 200, 0);
    int once = Brightness(326, 200);
    HoldAt(320, 200, 800);
    EXPECT_LT(Brightness(326, 200), once);
}

TEST_F(Spray, ADragLeavesPaintAlongItsPath)
{
    MoveMouse(280, 250);
    PressLeftButton();
    for (int x = 280; x <= 370; x += 3)
        MoveMouse(x, 250);
    ReleaseLeftButton();
    Sleep(150);
    for (int x = 285; x <= 365; x += 10)
        EXPECT_FALSE(SeesPictureAt(x, 250)) << x;
    EXPECT_TRUE(SeesPictureAt(320, 265));
    // After the release, moving the mouse sprays nothing.
    MoveMouse(320, 300);
    Sleep(200);
    EXPECT_TRUE(SeesPictureAt(320, 300));
}

TEST_F(Spray, PlusAndMinusChangeTheDabSize)
{
    // Size 25 reaches 10 pixels out; 19 does not; 32 reaches 13; 13 not 7.
    TypeText("+");
    HoldAt(320, 150, 0);
    EXPECT_FALSE(SeesPictureAt(330, 150));
    TypeText("-");
    HoldAt(320, 250, 0);
    EXPECT_TRUE(SeesPictureAt(330, 250));
    TypeText("++");
    HoldAt(320, 100, 0);
    EXPECT_FALSE(SeesPictureAt(333, 100));
    TypeText("---");
    HoldAt(320, 300, 0);
    EXPECT_TRUE(SeesPictureAt(327, 300));
    EXPECT_FALSE(SeesPictureAt(320, 300));
}

TEST_F(Spray, ATouchpadsSmallWheelStepsAddUpToOneSlotPerNotch)
{
    // Four messages of 30 make one notch: slot 0 (black), then 1 (red), then 2 (green).
    const COLORREF afterEachMessage[] = {
        RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 0, 0),
        RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 128, 0),
    };
    int x = 60;
    for (COLORREF colour : afterEachMessage) {
        MoveMouse(x, 150);
        TurnWheel(30);
        HoldAt(x, 150, 0);
        EXPECT_TRUE(LooksLike(SeenPixel(x, 150), colour))
            << "at x " << x << ": " << std::hex << SeenPixel(x, 150);
        x += 30;
    }
}

// Without mouse capture, a button let go over another window is that
// window's: the stroke ends there all the same, and paints no more.
TEST_F(Spray, LettingGoOverAnotherProgramsTopmostWindowEndsTheStroke)
{
    HWND other = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "Static", "", WS_POPUP, 600, 200,
                                 200, 200, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    PumpTestMessages();
    MoveMouse(400, 300);
    PressLeftButton();
    MoveMouse(700, 300);
    ReleaseLeftButton();
    Sleep(300);
    MoveMouse(450, 320);
    Sleep(300);
    DestroyWindow(other);
    EXPECT_TRUE(SeesPictureAt(450, 320)) << std::hex << SeenPixel(450, 320);
}

TEST_F(Spray, WhitePaintHeldStillOverGreyStaysGreyToItsRim)
{
    // White ("8") at size 32 over the picture's grey band (100, 100, 100):
    // the square (x-16, y-16)..(x+15, y+15).
    int x = GetSystemMetrics(SM_CXSCREEN) * 15 / 16, y = GetSystemMetrics(SM_CYSCREEN) / 4;
    ASSERT_TRUE(LooksLike(SeenPixel(x, y), RGB(100, 100, 100)));
    TypeText("8++");
    HoldAt(x, y, 3000);
    // A 5-6-5 pixel widens its three channels a few steps apart.
    int tolerance = DisplayDepth() == 16 ? 8 : 0;
    // Built up to white, short of it by what the blends round away (Wine's
    // 64-bit blend stops at 249).
    EXPECT_TRUE(NearColour(SeenPixel(x, y), 0xFFFFFF, 8)) << std::hex << SeenPixel(x, y);
    // Each pixel's red and blue beside its green.
    int coloured = 0;
    DWORD first = 0;
    for (DWORD pixel : ReadSeenScreen(x - 16, y - 16, 32, 32))
        if (!NearColour(pixel, ((pixel >> 8) & 0xFF) * 0x010101, tolerance) && !coloured++)
            first = pixel;
    EXPECT_EQ(0, coloured) << "of 1024, the first " << std::hex << first;
}
