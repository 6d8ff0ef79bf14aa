// The Settings record: the persisted user preferences as the program holds
// them. Only the record, with nothing of the file, so that the process-wide
// state can hold it without reaching into the settings module.
#pragma once
#include <windows.h>

enum {
    kMaxSlots = 255,       // the file stores the slot count in one byte
    kChooserColours = 16,  // the colour chooser's row of custom colours
};

// Every field is 32 bits wide in memory; the file keeps the low byte of each
// number and three bytes (red, green, blue) of each colour.
struct Settings {
    int slotCount;                         // N; slots[0..N-1] are in use, slot N-1 is the custom slot
    COLORREF slots[kMaxSlots];             // the colour slot table
    int currentSlot;                       // index of the selected slot; a file may hold any 0..255
    int mirror;                            // spray-can cursor drawn mirrored (nonzero)
    int mute;                              // no spray hiss (nonzero)
    int spraySize;                         // dab edge: 13, 19, 25 or 32, or whatever a file held
    int customSlotSet;                     // exactly 1 once the user chose the custom slot's colour
    COLORREF chooserColours[kChooserColours];  // shown and updated in place by the colour chooser
};
