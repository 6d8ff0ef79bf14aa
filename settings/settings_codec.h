// The byte layout of "settings.dat", apart from the file calls: one byte for
// each number, then red, green and blue for each colour.
#pragma once
#include "settings/settings_record.h"

enum {
    kHeaderBytes = 6,  // slot count, current slot, mirror, mute, spray size, custom-slot flag
    kColourBytes = 3,  // red, green, blue
    kMaxSettingsBytes = kHeaderBytes + kColourBytes * (kMaxSlots + kChooserColours),
};

// The length of a file holding this many slots: 3N + 54.
int SettingsFileSize(int slotCount);

// Lays the record out in out, which has room for kMaxSettingsBytes; returns
// the number of bytes laid out.
int EncodeSettings(const Settings *record, BYTE *out);

// Fills the whole record from the first 3N + 54 of length bytes, N being the
// first byte. Returns 0 and leaves the record alone when fewer are given.
int DecodeSettings(const BYTE *bytes, int length, Settings *record);
