// The colour slots: selecting, storing and stepping through the palette.
#pragma once
#include <windows.h>

enum { kCustomSlot = -1 };  // stands for the last slot of the table

void StoreSlot(int index, COLORREF colour);
int SelectSlot(int index);
int NextSlot();
int PrevSlot();

// Index arithmetic of the wheel: the slot after or before k in a table of
// count slots, always inside 0..count-1. count must be at least 1.
int SlotAfter(int k, int count);
int SlotBefore(int k, int count);

LRESULT SlotKeyDown(WPARAM key);
LRESULT SlotKeyUp(WPARAM key);
// A digit's key-up may never come once the focus has gone elsewhere: the
// next tap must not count as the end of that hold.
void ForgetHeldDigit();
// A step through the slots for each whole notch; nothing while stepped back.
LRESULT SlotWheel(WPARAM wParam);
