// Temporary folders, file bytes and known records for the settings tests.
#include "unit/settings_fixture.h"
#include <cstring>
#include "core/state.h"
#include "settings/settings_codec.h"
#include "unit/overlay_fixture.h"

void InFreshFolder::SetUp()
{
    // First, because its first call moves to the tests' shared folder.
    ResetForTest();
    GetCurrentDirectoryA(MAX_PATH, home);
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    do
        wsprintfA(name, "%spintaflux-settings-%lu-%d", temp, GetCurrentProcessId(), ++serial);
    while (!CreateDirectoryA(name, NULL) && GetLastError() == ERROR_ALREADY_EXISTS);
    folder = name;
    ASSERT_TRUE(SetCurrentDirectoryA(name));
}

void InFreshFolder::TearDown()
{
    // A window left open saves here rather than anywhere else.
    EndTestOverlay();
    SetCurrentDirectoryA(home);
    RemoveFolderTree(folder);
}

Bytes Repeat(BYTE value, size_t count)
{
    return Bytes(count, value);
}

Bytes Join(Bytes head, const Bytes &tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes FactoryFile()
{
    return Join({0x0B, 0x00, 0x01, 0x00, 0x13, 0x00,
                 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80,
                 0x50, 0x28, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x80, 0x00,
                 0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x00, 0xFF, 0xFF},
                Repeat(0x00, 48));
}

Bytes TwoSlotFile()
{
    return Join(Join({0x02, 0x01, 0x00, 0x01, 0x19, 0x01,
                      0x33, 0x22, 0x11, 0x66, 0x55, 0x44,
                      0x01, 0x02, 0x03},
                     Repeat(0x00, 14 * 3)),
                {0x0A, 0x0B, 0x0C});
}

void ExpectTwoSlotRecord(const Settings &record)
{
    EXPECT_EQ(2, record.slotCount);
    EXPECT_EQ(1, record.currentSlot);
    EXPECT_EQ(0, record.mirror);
    EXPECT_EQ(1, record.mute);
    EXPECT_EQ(25, record.spraySize);
    EXPECT_EQ(1, record.customSlotSet);
    EXPECT_EQ(0x00112233u, record.slots[0]);
    EXPECT_EQ(0x00445566u, record.slots[1]);
    EXPECT_EQ(0x00030201u, record.chooserColours[0]);
    for (int j = 1; j < 15; j++)
        EXPECT_EQ(0u, record.chooserColours[j]);
    EXPECT_EQ(0x000C0B0Au, record.chooserColours[15]);
}

::testing::AssertionResult SameRecord(const Settings &expected, const Settings &actual)
{
    // Every field is a 32-bit value, so the record has no padding.
    if (memcmp(&expected, &actual, sizeof expected) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "records differ: slot count " << expected.slotCount << " / " << actual.slotCount
           << ", spray size " << expected.spraySize << " / " << actual.spraySize;
}

Settings LoadedLookingRecord()
{
    ApplyDefaults();
    g_settings.currentSlot = 3;
    g_settings.spraySize = 32;
    g_settings.mute = 1;
    g_settings.slots[4] = RGB(9, 9, 9);
    g_settings.chooserColours[7] = RGB(1, 1, 1);
    return g_settings;
}

Bytes Encoded(const Settings &record)
{
    BYTE bytes[kMaxSettingsBytes];
    int size = EncodeSettings(&record, bytes);
    return Bytes(bytes, bytes + size);
}
