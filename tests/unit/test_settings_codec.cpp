// The settings record in memory: factory values, byte layout, encode and decode.
#include <gtest/gtest.h>
#include <cstring>
#include "core/state.h"
#include "settings/settings_codec.h"
#include "unit/settings_fixture.h"

TEST(SettingsDefaults, AreElevenFactorySlotsMirroredWithSoundAtSizeNineteen)
{
    g_settings = Settings();
    g_settings.currentSlot = 6;
    g_settings.slotCount = 3;
    g_settings.mute = 1;
    g_settings.mirror = 0;
    g_settings.customSlotSet = 1;
    g_settings.spraySize = 32;
    g_settings.chooserColours[5] = RGB(1, 2, 3);
    ApplyDefaults();

    const COLORREF factory[11] = {0x00000000, 0x000000FF, 0x00008000, 0x00800000,
                                  0x00002850, 0x0000FFFF, 0x00800080, 0x000080FF,
                                  0x00FFFFFF, 0x00808080, 0x00FFFF00};
    EXPECT_EQ(11, g_settings.slotCount);
    for (int i = 0; i < 11; i++)
        EXPECT_EQ(factory[i], g_settings.slots[i]) << "slot " << i;
    EXPECT_EQ(1, g_settings.mirror);
    EXPECT_EQ(0, g_settings.mute);
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(0, g_settings.customSlotSet);
    for (int j = 0; j < 16; j++)
        EXPECT_EQ(0u, g_settings.chooserColours[j]);
    EXPECT_EQ(6, g_settings.currentSlot);
}

TEST(SettingsCodec, KeepsTheLowByteOfEachNumberAndRedGreenBlueOfEachColour)
{
    Settings record = {};
    record.slotCount = 2;
    record.currentSlot = 0x1201;
    record.mirror = 0x100;
    record.mute = 1;
    record.spraySize = 0x119;
    record.customSlotSet = 1;
    record.slots[0] = 0x00112233;
    record.slots[1] = 0xAB445566;
    record.slots[2] = 0x00777777;  // beyond the slot count: not written
    record.chooserColours[0] = 0x00030201;
    record.chooserColours[15] = 0xFF0C0B0A;
    EXPECT_EQ(TwoSlotFile(), Encoded(record));
}

TEST(SettingsCodec, ReadsEveryFieldBackZeroExtended)
{
    Settings record;
    memset(&record, 0x5A, sizeof record);
    Bytes file = TwoSlotFile();
    ASSERT_EQ(1, DecodeSettings(file.data(), (int)file.size(), &record));
    ExpectTwoSlotRecord(record);
    for (int i = 2; i < kMaxSlots; i++)
        ASSERT_EQ(0u, record.slots[i]) << "unused slot " << i;

    Bytes high = Join({0x00, 0xFE, 0xFF, 0x80, 0xFD, 0x81}, Repeat(0xFF, 48));
    ASSERT_EQ(1, DecodeSettings(high.data(), (int)high.size(), &record));
    EXPECT_EQ(0, record.slotCount);
    EXPECT_EQ(254, record.currentSlot);
    EXPECT_EQ(255, record.mirror);
    EXPECT_EQ(128, record.mute);
    EXPECT_EQ(253, record.spraySize);
    EXPECT_EQ(129, record.customSlotSet);
    EXPECT_EQ(0x00FFFFFFu, record.chooserColours[0]);
}

TEST(SettingsCodec, NeverWritesMoreSlotsThanTheTableHolds)
{
    Settings record = {};
    BYTE bytes[kMaxSettingsBytes + 16];
    memset(bytes, 0xEE, sizeof bytes);
    record.slotCount = 300;
    EXPECT_EQ(819, EncodeSettings(&record, bytes));
    EXPECT_EQ(255, bytes[0]);
    EXPECT_EQ(0xEE, bytes[819]);

    record.slotCount = -5;
    EXPECT_EQ(54, EncodeSettings(&record, bytes));
    EXPECT_EQ(0, bytes[0]);
}
