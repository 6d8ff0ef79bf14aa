// The colour slots: digit keys, the wheel, "l" and the custom slot.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "colour/slots.h"
#include "core/state.h"
#include "fake_platform.h"
#include "unit/overlay_fixture.h"

static const COLORREF kFactory[11] = {
    0x00000000, 0x000000FF, 0x00008000, 0x00800000, 0x00002850, 0x0000FFFF,
    0x00800080, 0x000080FF, 0x00FFFFFF, 0x00808080, 0x00FFFF00,
};

// The factory table without going through the settings file.
static void UseSlots(int count, int current, int customSet)
{
    ResetForTest();
    g_settings.slotCount = count;
    for (int i = 0; i < kMaxSlots; i++)
        g_settings.slots[i] = i < 11 ? kFactory[i] : RGB(i, i, i);
    g_settings.currentSlot = current;
    g_settings.customSlotSet = customSet;
    g_settings.mirror = 1;
}

static const WPARAM kWheelForward = MAKEWPARAM(0, WHEEL_DELTA);
static const WPARAM kWheelBack = MAKEWPARAM(0, (WORD)(SHORT)-WHEEL_DELTA);

static void Wheel(WPARAM wParam)
{
    OverlayWndProc(NULL, WM_MOUSEWHEEL, wParam, 0);
}

static void Tap(char digit)
{
    OverlayWndProc(NULL, WM_KEYDOWN, (WPARAM)digit, 0);
    OverlayWndProc(NULL, WM_KEYUP, (WPARAM)digit, 0);
}

TEST(Wheel, SkipsTheCustomSlotUntilItIsChosen)
{
    UseSlots(11, 9, 0);
    Wheel(kWheelForward);
    EXPECT_EQ(0, g_settings.currentSlot);
    Wheel(kWheelBack);
    EXPECT_EQ(9, g_settings.currentSlot);
    EXPECT_EQ(kFactory[9], g_app.currentColour);
    for (int i = 0; i < 30; i++) {
        Wheel(i < 15 ? kWheelForward : kWheelBack);
        EXPECT_NE(10, g_settings.currentSlot);
    }
}

TEST(Wheel, ReachesTheCustomSlotOnceChosen)
{
    UseSlots(11, 9, 0);
    StoreSlot(kCustomSlot, RGB(1, 2, 3));
    EXPECT_EQ(1, g_settings.customSlotSet);
    Wheel(kWheelForward);
    EXPECT_EQ(10, g_settings.currentSlot);
    EXPECT_EQ(RGB(1, 2, 3), g_app.currentColour);
    Wheel(kWheelForward);
    EXPECT_EQ(0, g_settings.currentSlot);
    Wheel(kWheelBack);
    EXPECT_EQ(10, g_settings.currentSlot);
}

TEST(Wheel, StepsOneSlotForEveryWholeNotchOfTravel)
{
    struct {
        std::vector<int> deltas;
        std::vector<int> slots;  // the current slot after each message, from slot 2
    } cases[] = {
        {{120, 120, -120}, {3, 4, 3}},                     // a notched wheel
        {{40, 40, 40, 40, 40, 40}, {2, 2, 3, 3, 3, 4}},    // a touchpad
        {{-30, -30, -30, -30}, {2, 2, 2, 1}},
        {{100, 100, 100}, {2, 3, 4}},                      // the remainder carries over
        {{80, -40, -40, -40}, {2, 2, 2, 1}},               // turning back starts afresh
        {{240, -360, 0}, {4, 1, 1}},                       // several notches in one message
    };
    for (const auto &c : cases) {
        UseSlots(11, 2, 0);
        std::vector<int> slots;
        for (int delta : c.deltas) {
            Wheel(MAKEWPARAM(0, (WORD)(SHORT)delta));
            slots.push_back(g_settings.currentSlot);
        }
        EXPECT_EQ(c.slots, slots) << "first delta " << c.deltas[0];
    }
}

// Windows sends the wheel to the window under the pointer, focused or not.
TEST(Wheel, DoesNothingWhileTheOverlayIsSteppedBackAndStartsAfreshOnItsReturn)
{
    ResetForTest();
    HWND window = StartTestOverlay();
    g_settings.currentSlot = 2;
    const WPARAM halfNotch = MAKEWPARAM(0, WHEEL_DELTA / 2);
    std::vector<int> slots;
    for (WORD activation : {WA_INACTIVE, WA_ACTIVE}) {
        Wheel(halfNotch);
        OverlayWndProc(window, WM_ACTIVATE, activation, 0);
        Wheel(halfNotch);
        slots.push_back(g_settings.currentSlot);
    }
    Wheel(halfNotch);
    slots.push_back(g_settings.currentSlot);
    EXPECT_EQ(std::vector<int>({2, 2, 3}), slots);
    EndTestOverlay();
}

TEST(Wheel, ACurrentSlotBeyondTheTableStepsIntoIt)
{
    UseSlots(11, 20, 1);
    EXPECT_EQ(1, SelectSlot(20));
    EXPECT_EQ(20, g_settings.currentSlot);
    EXPECT_EQ(1, NextSlot());
    EXPECT_EQ(10, g_settings.currentSlot);  // 21 mod 11

    UseSlots(11, 20, 0);
    EXPECT_EQ(1, NextSlot());
    EXPECT_EQ(0, g_settings.currentSlot);  // 10 refused, one more step

    UseSlots(11, 20, 0);
    EXPECT_EQ(1, PrevSlot());
    EXPECT_EQ(8, g_settings.currentSlot);  // 19 mod 11
}

TEST(Wheel, WithOneSlotAndTheCustomFlagClearNothingChanges)
{
    UseSlots(1, 0, 0);
    g_app.currentColour = RGB(9, 9, 9);
    EXPECT_EQ(0, NextSlot());
    EXPECT_EQ(0, PrevSlot());
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_EQ(RGB(9, 9, 9), g_app.currentColour);
}

TEST(Wheel, WithTwoSlotsTheOnlyUsableSlotIsSelectedAgain)
{
    UseSlots(2, 0, 0);
    g_app.currentColour = RGB(9, 9, 9);
    EXPECT_EQ(1, NextSlot());
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_EQ(kFactory[0], g_app.currentColour);
}

TEST(Wheel, WithNoSlotsDoesNothing)
{
    UseSlots(0, 0, 1);
    g_app.currentColour = RGB(9, 9, 9);
    Wheel(kWheelForward);
    Wheel(kWheelBack);
    EXPECT_EQ(0, NextSlot());
    EXPECT_EQ(0, PrevSlot());
    StoreSlot(kCustomSlot, RGB(1, 1, 1));
    StoreSlot(0, RGB(1, 1, 1));
    EXPECT_EQ(RGB(9, 9, 9), g_app.currentColour);
    EXPECT_EQ(kFactory[0], g_settings.slots[0]);
}

TEST(Wheel, AFullTableFromAFileWrapsInsideIt)
{
    UseSlots(255, 255, 0);
    EXPECT_EQ(1, NextSlot());
    EXPECT_EQ(1, g_settings.currentSlot);  // 256 mod 255
    g_settings.currentSlot = 0;
    EXPECT_EQ(1, PrevSlot());
    EXPECT_EQ(253, g_settings.currentSlot);  // 254 is the custom slot
}

TEST(CustomSlot, TheLKeyRecallsItOnlyOnceChosen)
{
    UseSlots(11, 3, 0);
    OverlayWndProc(NULL, WM_CHAR, 'l', 0);
    EXPECT_EQ(3, g_settings.currentSlot);
    StoreSlot(kCustomSlot, RGB(10, 20, 30));
    OverlayWndProc(NULL, WM_CHAR, 'l', 0);
    EXPECT_EQ(10, g_settings.currentSlot);
    EXPECT_EQ(RGB(10, 20, 30), g_app.currentColour);
}

TEST(CustomSlot, AFlagOfTwoFromAFileCountsAsClear)
{
    UseSlots(11, 3, 2);
    EXPECT_EQ(0, SelectSlot(kCustomSlot));
    EXPECT_EQ(0, SelectSlot(10));
    EXPECT_EQ(3, g_settings.currentSlot);
}

TEST(CustomSlot, StoringByItsIndexLeavesTheFlagAlone)
{
    UseSlots(11, 3, 0);
    StoreSlot(10, RGB(5, 5, 5));
    EXPECT_EQ(RGB(5, 5, 5), g_settings.slots[10]);
    EXPECT_EQ(0, g_settings.customSlotSet);
    StoreSlot(11, RGB(6, 6, 6));
    StoreSlot(-2, RGB(6, 6, 6));
    EXPECT_EQ(RGB(5, 5, 5), g_settings.slots[10]);
}

TEST(DigitKeys, ATapSelectsThatSlot)
{
    UseSlots(11, 0, 0);
    Tap('3');
    EXPECT_EQ(3, g_settings.currentSlot);
    EXPECT_EQ(kFactory[3], g_app.currentColour);
    EXPECT_EQ(0, g_app.holdCounter);
}

TEST(DigitKeys, HoldingPastTheThresholdStoresTheCurrentColour)
{
    UseSlots(11, 5, 0);
    SelectSlot(5);
    g_app.holdThreshold = 4;
    for (int i = 0; i < 4; i++)
        OverlayWndProc(NULL, WM_KEYDOWN, '3', 0);
    EXPECT_EQ(kFactory[3], g_settings.slots[3]);
    OverlayWndProc(NULL, WM_KEYDOWN, '3', 0);
    EXPECT_EQ(kFactory[5], g_settings.slots[3]);
    // Each further repeat stores again.
    g_app.currentColour = RGB(7, 7, 7);
    OverlayWndProc(NULL, WM_KEYDOWN, '3', 0);
    EXPECT_EQ(RGB(7, 7, 7), g_settings.slots[3]);
    OverlayWndProc(NULL, WM_KEYUP, '3', 0);
    EXPECT_EQ(3, g_settings.currentSlot);
    EXPECT_EQ(RGB(7, 7, 7), g_app.currentColour);
    EXPECT_EQ(0, g_app.holdCounter);
}

TEST(DigitKeys, TheHoldCounterIsSharedByAllDigits)
{
    UseSlots(11, 5, 0);
    SelectSlot(5);
    g_app.holdThreshold = 2;
    for (int i = 0; i < 3; i++)
        OverlayWndProc(NULL, WM_KEYDOWN, '3', 0);
    OverlayWndProc(NULL, WM_KEYDOWN, '7', 0);
    EXPECT_EQ(kFactory[5], g_settings.slots[7]);
}

TEST(DigitKeys, WithFiveSlotsFourIsTheCustomSlotAndHigherDigitsDoNothing)
{
    UseSlots(5, 0, 0);
    SelectSlot(0);
    g_app.holdThreshold = 0;
    g_app.currentColour = RGB(3, 3, 3);
    OverlayWndProc(NULL, WM_KEYDOWN, '4', 0);
    EXPECT_EQ(RGB(3, 3, 3), g_settings.slots[4]);
    EXPECT_EQ(0, g_settings.customSlotSet);
    OverlayWndProc(NULL, WM_KEYUP, '4', 0);
    EXPECT_EQ(0, g_settings.currentSlot);
    for (char digit = '5'; digit <= '9'; digit++) {
        OverlayWndProc(NULL, WM_KEYDOWN, (WPARAM)digit, 0);
        OverlayWndProc(NULL, WM_KEYUP, (WPARAM)digit, 0);
        EXPECT_EQ(0, g_settings.currentSlot);
    }
    EXPECT_EQ(kFactory[5], g_settings.slots[5]);
    g_settings.customSlotSet = 1;
    Tap('4');
    EXPECT_EQ(4, g_settings.currentSlot);
}

TEST(DigitKeys, KeypadDigitsAndLettersAreNotDigitKeys)
{
    UseSlots(11, 0, 0);
    g_app.holdThreshold = 0;
    for (WPARAM key = VK_NUMPAD0; key <= VK_NUMPAD9; key++) {
        OverlayWndProc(NULL, WM_KEYDOWN, key, 0);
        OverlayWndProc(NULL, WM_KEYUP, key, 0);
    }
    OverlayWndProc(NULL, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_EQ(0, g_app.holdCounter);
    for (int i = 0; i < 11; i++)
        EXPECT_EQ(kFactory[i], g_settings.slots[i]);
}
