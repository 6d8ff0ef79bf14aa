// Settings record to bytes and back.
#include "settings/settings_codec.h"

int SettingsFileSize(int slotCount)
{
    return kHeaderBytes + kColourBytes * (slotCount + kChooserColours);
}

static BYTE *PutColour(BYTE *at, COLORREF colour)
{
    at[0] = GetRValue(colour);
    at[1] = GetGValue(colour);
    at[2] = GetBValue(colour);
    return at + kColourBytes;
}

static const BYTE *GetColour(const BYTE *at, COLORREF *colour)
{
    *colour = RGB(at[0], at[1], at[2]);
    return at + kColourBytes;
}

int EncodeSettings(const Settings *record, BYTE *out)
{
    // Only 0 to 255 slots fit both the count byte and the table.
    int count = record->slotCount;
    if (count < 0)
        count = 0;
    if (count > kMaxSlots)
        count = kMaxSlots;
    out[0] = (BYTE)count;
    out[1] = (BYTE)record->currentSlot;
    out[2] = (BYTE)record->mirror;
    out[3] = (BYTE)record->mute;
    out[4] = (BYTE)record->spraySize;
    out[5] = (BYTE)record->customSlotSet;
    BYTE *at = out + kHeaderBytes;
    for (int i = 0; i < count; i++)
        at = PutColour(at, record->slots[i]);
    for (int j = 0; j < kChooserColours; j++)
        at = PutColour(at, record->chooserColours[j]);
    return (int)(at - out);
}

int DecodeSettings(const BYTE *bytes, int length, Settings *record)
{
    if (length < 1)
        return 0;
    int count = bytes[0];
    if (length < SettingsFileSize(count))
        return 0;
    record->slotCount = count;
    record->currentSlot = bytes[1];
    record->mirror = bytes[2];
    record->mute = bytes[3];
    record->spraySize = bytes[4];
    record->customSlotSet = bytes[5];
    const BYTE *at = bytes + kHeaderBytes;
    for (int i = 0; i < count; i++)
        at = GetColour(at, &record->slots[i]);
    // The unused rest of the table keeps nothing of an earlier record.
    for (int i = count; i < kMaxSlots; i++)
        record->slots[i] = 0;
    for (int j = 0; j < kChooserColours; j++)
        at = GetColour(at, &record->chooserColours[j]);
    return 1;
}
