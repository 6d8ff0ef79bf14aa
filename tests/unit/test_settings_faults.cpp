// Settings file faults: failed saves keep the old file, malformed files load whole or not at all.
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include "core/state.h"
#include "unit/settings_fixture.h"

class SettingsSave : public InFreshFolder {};
class SettingsLoadRobustness : public InFreshFolder {};

// The save writes "settings.dat.tmp" first and then puts it in place. A
// stale file of that name is cleared away; a folder of that name sends the
// save to a second temporary name; only with both names taken does it fail.
TEST_F(SettingsSave, StaleTemporaryNamesNeverBlockASaveForGood)
{
    WriteFileBytes("settings.dat", TwoSlotFile());
    Settings before = LoadedLookingRecord();

    WriteFileBytes("settings.dat.tmp", {1, 2, 3});
    ASSERT_TRUE(SetFileAttributesA("settings.dat.tmp",
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(before), ReadFileBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries("."));
    EXPECT_FALSE(GetFileAttributesA("settings.dat") & FILE_ATTRIBUTE_READONLY);

    g_settings.spraySize = 32;
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp", NULL));
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(g_settings), ReadFileBytes("settings.dat"));
    EXPECT_EQ((std::vector<std::string>{"settings.dat", "settings.dat.tmp"}), FolderEntries("."));

    // Both names taken: the save fails and the old file stays byte for byte.
    Bytes kept = ReadFileBytes("settings.dat");
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp2", NULL));
    g_settings.spraySize = 13;
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ(kept, ReadFileBytes("settings.dat"));
    EXPECT_EQ(3u, FolderEntries(".").size());

    // Once a name is free again the same record saves, leaving no temporary file.
    ASSERT_TRUE(RemoveDirectoryA("settings.dat.tmp"));
    ASSERT_TRUE(RemoveDirectoryA("settings.dat.tmp2"));
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(g_settings), ReadFileBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries("."));
}

TEST_F(SettingsSave, ThatCannotCreateItsNewFileWritesNoFileAtAll)
{
    ApplyDefaults();
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp", NULL));
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp2", NULL));
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ((std::vector<std::string>{"settings.dat.tmp", "settings.dat.tmp2"}), FolderEntries("."));
}

TEST_F(SettingsSave, RefusedWhileAnotherHandleForbidsReplacingTheFileKeepsTheOldOne)
{
    WriteFileBytes("settings.dat", TwoSlotFile());
    // Readers and writers welcome, but not deleting or replacing.
    HANDLE other = CreateFileA("settings.dat", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    Settings before = LoadedLookingRecord();
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ(TwoSlotFile(), ReadFileBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries("."));
    EXPECT_TRUE(SameRecord(before, g_settings));

    CloseHandle(other);
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(before), ReadFileBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries("."));
}

// Loads the file with a known record in memory, and checks that the load
// either kept that record whole or took exactly what the file holds.
static ::testing::AssertionResult LoadsWholeOrNothing(const Bytes &file, int *result)
{
    static const Settings sentinel = LoadedLookingRecord();
    WriteFileBytes("settings.dat", file);
    g_settings = sentinel;
    *result = LoadSettings();
    if (*result == kLoadFailed) {
        if (memcmp(&sentinel, &g_settings, sizeof sentinel) != 0)
            return ::testing::AssertionFailure() << "a failed load changed the record";
        return ::testing::AssertionSuccess();
    }
    if (*result != kLoadRead)
        return ::testing::AssertionFailure() << "result " << *result << " for an existing file";
    if (g_settings.slotCount < 0 || g_settings.slotCount > 255)
        return ::testing::AssertionFailure() << "slot count " << g_settings.slotCount;
    Bytes again = Encoded(g_settings);
    if (again.size() > file.size() || !std::equal(again.begin(), again.end(), file.begin()))
        return ::testing::AssertionFailure() << "the record is not what the file holds";
    return ::testing::AssertionSuccess();
}

TEST_F(SettingsLoadRobustness, MalformedFilesNeverFaultAndLoadOnlyWhenWhole)
{
    int result = 0;
    Bytes factory = FactoryFile();
    for (size_t length = 0; length <= factory.size(); length++) {
        Bytes cut(factory.begin(), factory.begin() + length);
        ASSERT_TRUE(LoadsWholeOrNothing(cut, &result)) << "cut to " << length;
        EXPECT_EQ(length == 87 ? kLoadRead : kLoadFailed, result) << "cut to " << length;
    }

    for (size_t length : {818u, 819u, 900u}) {
        ASSERT_TRUE(LoadsWholeOrNothing(Bytes(length, 0xFF), &result));
        EXPECT_EQ(length >= 819 ? kLoadRead : kLoadFailed, result) << length << " bytes";
    }

    // Every value of each header byte, in the factory file and in one long
    // enough for any slot count.
    Bytes padded = Join(factory, Repeat(0x3C, 819 - 87));
    for (int offset = 0; offset < 6; offset++)
        for (int value = 0; value < 256; value++) {
            Bytes changed = factory;
            changed[offset] = (BYTE)value;
            ASSERT_TRUE(LoadsWholeOrNothing(changed, &result)) << offset << ": " << value;
            bool fits = offset != 0 || value <= 11;
            EXPECT_EQ(fits ? kLoadRead : kLoadFailed, result) << offset << ": " << value;
            if (offset == 0) {
                changed = padded;
                changed[0] = (BYTE)value;
                ASSERT_TRUE(LoadsWholeOrNothing(changed, &result)) << "long, count " << value;
                EXPECT_EQ(kLoadRead, result) << "long, count " << value;
                EXPECT_EQ(value, g_settings.slotCount);
            }
        }

    std::mt19937 random(20240611);
    int loaded = 0;
    for (int i = 0; i < 300; i++) {
        Bytes noise(random() % 900);
        for (BYTE &byte : noise)
            byte = (BYTE)random();
        // Small slot counts now and then, so that some of them load.
        if (!noise.empty() && i % 3 == 0)
            noise[0] %= 16;
        ASSERT_TRUE(LoadsWholeOrNothing(noise, &result)) << "noise " << i;
        loaded += result == kLoadRead;
    }
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 300);
}
