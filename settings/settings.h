// The persisted user preferences: the Settings record and its file.
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

enum {
    kLoadFailed = 1,       // file present but unusable; the record is unchanged
    kLoadRead = 2,         // the record now holds the file's values
    kLoadNoFile = 3,       // no file; the factory values were applied
};

// The factory values; the current slot is left as it is.
void ApplyDefaults();
// Reads "settings.dat" in the working directory: kLoadFailed, kLoadRead or kLoadNoFile.
int LoadSettings();
// LoadSettings for a new overlay window, with the same result. When the load
// failed and no record was ever loaded, the factory values are applied too.
int LoadSettingsForWindow();
// Writes the record to "settings.dat"; nonzero on success. A failed save
// leaves the old file as it was.
int SaveSettings();
