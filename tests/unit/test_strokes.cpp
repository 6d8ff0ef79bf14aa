// Spray strokes: the dab square, the spray timer and the hiss, through the window procedure.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "core/state.h"
#include "fake_platform.h"
#include "paint/strokes.h"
#include "unit/overlay_fixture.h"
#include "unit/stamp_helpers.h"

static void ExpectSquare(RECT square, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(left, square.left);
    EXPECT_EQ(top, square.top);
    EXPECT_EQ(right, square.right);
    EXPECT_EQ(bottom, square.bottom);
}

TEST(DabSquare, CentresOddSizesOnThePointer)
{
    ExpectSquare(DabSquare(100, 200, 13), 94, 194, 107, 207);
    ExpectSquare(DabSquare(100, 200, 19), 91, 191, 110, 210);
    ExpectSquare(DabSquare(100, 200, 25), 88, 188, 113, 213);
}

TEST(DabSquare, PutsThePointerJustRightOfAndBelowTheCentreOfThirtyTwo)
{
    ExpectSquare(DabSquare(100, 200, 32), 84, 184, 116, 216);
}

TEST(DabSquare, ReachesOffTheScreenAtTheOrigin)
{
    ExpectSquare(DabSquare(0, 0, 19), -9, -9, 10, 10);
}

static const DWORD kHissFlags = SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_NOSTOP;

static void ExpectHiss(const SoundCall &call)
{
    EXPECT_EQ("IDW_SPRAY", call.sound);
    EXPECT_EQ(nullptr, call.module);
    EXPECT_EQ(kHissFlags, call.flags);
    EXPECT_EQ(0x4001Fu, call.flags);
}

static void ExpectStop(const SoundCall &call, DWORD flags)
{
    EXPECT_EQ("", call.sound);
    EXPECT_EQ(nullptr, call.module);
    EXPECT_EQ(flags, call.flags);
}

class Stroke : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTest();
        window = StartTestOverlay();
        ASSERT_NE(nullptr, window);
        g_settings.spraySize = 19;
        g_fake.soundCalls.clear();
    }
    void TearDown() override { EndTestOverlay(); }
    // Moves within a stroke carry the held button, as the platform's do.
    LRESULT Send(UINT message)
    {
        return OverlayWndProc(window, message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, 0);
    }
    HWND window = NULL;
};

TEST_F(Stroke, PressTicksMovesAndReleaseRequestAndStopTheHiss)
{
    EXPECT_EQ(0, Send(WM_LBUTTONDOWN));
    EXPECT_EQ(1, g_app.spraying);
    EXPECT_EQ(0, Send(WM_TIMER));
    EXPECT_EQ(0, Send(WM_MOUSEMOVE));
    EXPECT_EQ(0, Send(WM_LBUTTONUP));
    EXPECT_EQ(0, g_app.spraying);

    ASSERT_EQ(4u, g_fake.soundCalls.size());
    ExpectHiss(g_fake.soundCalls[0]);
    ExpectHiss(g_fake.soundCalls[1]);
    ExpectHiss(g_fake.soundCalls[2]);
    ExpectStop(g_fake.soundCalls[3], SND_NODEFAULT);
}

TEST_F(Stroke, TicksAndMovesOutsideAStrokeDoNothing)
{
    Send(WM_TIMER);
    OverlayWndProc(window, WM_TIMER, 77, 0);
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(g_fake.soundCalls.empty());
    EXPECT_EQ(0, g_app.spraying);
}

TEST_F(Stroke, PressStartsTheSprayTimerAndReleaseStopsIt)
{
    Send(WM_LBUTTONDOWN);
    g_fake.soundCalls.clear();
    // The timer's ticks arrive as messages and each lays a dab.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 450)
        PumpMessages();
    size_t ticks = g_fake.soundCalls.size();
    EXPECT_GE(ticks, 2u);
    EXPECT_LE(ticks, 6u);

    Send(WM_LBUTTONUP);
    g_fake.soundCalls.clear();
    start = GetTickCount();
    while (GetTickCount() - start < 300)
        PumpMessages();
    EXPECT_TRUE(g_fake.soundCalls.empty());
}

TEST_F(Stroke, AMutedStrokeMakesNoSoundCallAtAll)
{
    g_settings.mute = 1;
    Send(WM_LBUTTONDOWN);
    Send(WM_TIMER);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONUP);
    EXPECT_TRUE(g_fake.soundCalls.empty());
}

TEST_F(Stroke, MutingMidStrokePurgesAtOnceAndTheNextDabAfterUnmutingRestartsTheHiss)
{
    Send(WM_LBUTTONDOWN);
    OverlayWndProc(window, WM_CHAR, 'm', 0);
    Send(WM_TIMER);
    OverlayWndProc(window, WM_CHAR, 'm', 0);
    Send(WM_TIMER);
    Send(WM_LBUTTONUP);

    ASSERT_EQ(4u, g_fake.soundCalls.size());
    ExpectHiss(g_fake.soundCalls[0]);
    ExpectStop(g_fake.soundCalls[1], SND_PURGE);
    ExpectHiss(g_fake.soundCalls[2]);
    ExpectStop(g_fake.soundCalls[3], SND_NODEFAULT);
}

TEST_F(Stroke, AReleaseWithoutAPressStillStopsTheSound)
{
    Send(WM_LBUTTONUP);
    ASSERT_EQ(1u, g_fake.soundCalls.size());
    ExpectStop(g_fake.soundCalls[0], SND_NODEFAULT);
}

TEST_F(Stroke, ASpraySizeOutsideTheFourDrawsNothing)
{
    g_settings.spraySize = 20;
    g_app.currentColour = RGB(255, 255, 255);
    SetCursorPos(200, 200);
    Send(WM_LBUTTONDOWN);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(0u, PaintedCanvasPixels());
    EXPECT_EQ(20, g_settings.spraySize);
}

TEST_F(Stroke, EveryDabSquareIsValidatedRightAway)
{
    SetCursorPos(300, 300);
    Send(WM_LBUTTONDOWN);
    RECT left;
    EXPECT_FALSE(GetUpdateRect(window, &left, FALSE));
    Send(WM_LBUTTONUP);
}

TEST_F(Stroke, NoDabWhereThePointerIsUnknown)
{
    g_app.currentColour = RGB(255, 255, 255);
    g_fake.pointerQueryFails = 1;
    Send(WM_LBUTTONDOWN);
    Send(WM_TIMER);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(0u, PaintedCanvasPixels());
}

// Without mouse capture the release may go to another window (a second
// monitor, another program's topmost window); the next move or tick that
// finds the button up ends the stroke as the release would, without a dab.
TEST_F(Stroke, AReleaseElsewhereEndsTheStrokeAtTheNextMoveOrTick)
{
    const WPARAM kTick = ~(WPARAM)0;
    struct {
        const char *what;
        WPARAM moveKeys;  // a move with these keys, or kTick
        int leftDown, rightDown, swapped, ends;
    } cases[] = {
        {"move without the button", 0, 1, 0, 0, 1},
        {"tick with the button up", kTick, 0, 0, 0, 1},
        {"tick, swapped, physical right up", kTick, 1, 0, 1, 1},
        {"tick, swapped, physical right down", kTick, 0, 1, 1, 0},
    };
    g_app.currentColour = RGB(255, 255, 255);
    for (const auto &c : cases) {
        Send(WM_LBUTTONDOWN);
        size_t painted = PaintedCanvasPixels();
        g_fake.soundCalls.clear();
        g_fake.physicalLeftDown = c.leftDown;
        g_fake.physicalRightDown = c.rightDown;
        g_fake.buttonsSwapped = c.swapped;
        // Somewhere not painted yet, so that a dab there shows.
        SetCursorPos(300 + 40 * (int)(&c - cases), 300);
        OverlayWndProc(window, c.moveKeys == kTick ? WM_TIMER : WM_MOUSEMOVE,
                       c.moveKeys == kTick ? 1 : c.moveKeys, 0);

        int goesOn = !c.ends;
        EXPECT_EQ(goesOn, g_app.spraying) << c.what;
        EXPECT_EQ(goesOn, KillTimer(window, 1) ? 1 : 0) << c.what;
        EXPECT_EQ(goesOn, PaintedCanvasPixels() > painted ? 1 : 0) << c.what;
        ASSERT_EQ(1u, g_fake.soundCalls.size()) << c.what;
        if (c.ends)
            ExpectStop(g_fake.soundCalls[0], SND_NODEFAULT);
        else
            ExpectHiss(g_fake.soundCalls[0]);
        Send(WM_LBUTTONUP);
    }
}
