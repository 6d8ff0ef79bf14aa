// Slot selection and storage, the digit keys and the wheel.
#include "colour/slots.h"
#include "colour/cursor.h"
#include "core/state.h"

static int IsInTable(int index)
{
    return index >= 0 && index < g_settings.slotCount;
}

void StoreSlot(int index, COLORREF colour)
{
    if (index == kCustomSlot) {
        g_settings.customSlotSet = 1;
        index = g_settings.slotCount - 1;
    }
    if (!IsInTable(index))
        return;
    g_settings.slots[index] = colour;
}

int SelectSlot(int index)
{
    int custom = g_settings.slotCount - 1;
    if (index == kCustomSlot || index == custom) {
        if (g_settings.customSlotSet != 1)
            return 0;
        index = custom;
    }
    if (!IsInTable(index))
        return 1;
    g_settings.currentSlot = index;
    g_app.currentColour = g_settings.slots[index];
    return BuildCanCursor(g_app.currentColour) ? 1 : 0;
}

int SlotAfter(int k, int count)
{
    int next = (k + 1) % count;
    return next < 0 ? next + count : next;
}

int SlotBefore(int k, int count)
{
    int previous = (k - 1) % count;
    return previous < 0 ? previous + count : previous;
}

int NextSlot()
{
    int count = g_settings.slotCount;
    if (count < 1)
        return 0;
    int first = SlotAfter(g_settings.currentSlot, count);
    if (SelectSlot(first))
        return 1;
    return SelectSlot(SlotAfter(first, count));
}

int PrevSlot()
{
    int count = g_settings.slotCount;
    if (count < 1)
        return 0;
    int first = SlotBefore(g_settings.currentSlot, count);
    if (SelectSlot(first))
        return 1;
    return SelectSlot(SlotBefore(first, count));
}

// The main-row digits 0 to 9; keypad digits have other key codes.
static int IsDigitKey(WPARAM key)
{
    CHAR character = (CHAR)key;
    return IsCharAlphaNumericA(character) && !IsCharAlphaA(character);
}

LRESULT SlotKeyDown(WPARAM key)
{
    if (!IsDigitKey(key))
        return 0;
    g_app.holdCounter++;
    if (g_app.holdCounter > g_app.holdThreshold)
        StoreSlot((int)key - '0', g_app.currentColour);
    return 0;
}

LRESULT SlotKeyUp(WPARAM key)
{
    if (!IsDigitKey(key))
        return 0;
    g_app.holdCounter = 0;
    SelectSlot((int)key - '0');
    return 0;
}

void ForgetHeldDigit()
{
    g_app.holdCounter = 0;
}

// Whole notches of wheel travel: the delta is added to the travel kept from
// earlier messages, and what is left over after the whole WHEEL_DELTAs stays
// in it. A turn the other way starts the travel afresh. Touchpads and smooth
// wheels send many deltas below one notch.
static int WheelNotches(int *travel, int delta)
{
    if ((delta > 0 && *travel < 0) || (delta < 0 && *travel > 0))
        *travel = 0;
    *travel += delta;
    // Division truncates towards zero: whole notches either way.
    int notches = *travel / WHEEL_DELTA;
    *travel -= notches * WHEEL_DELTA;
    return notches;
}

LRESULT SlotWheel(WPARAM wParam)
{
    // Windows sends the wheel to the window under the pointer, focused or
    // not: stepped back, the turn was meant for another program.
    if (g_app.reactivationPending) {
        g_app.wheelTravel = 0;
        return 0;
    }
    int notches = WheelNotches(&g_app.wheelTravel, (short)HIWORD(wParam));
    for (; notches > 0; notches--)
        NextSlot();
    for (; notches < 0; notches++)
        PrevSlot();
    return 0;
}
