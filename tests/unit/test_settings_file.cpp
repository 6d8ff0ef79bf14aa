// "settings.dat" through the file: load and save, open refusals, the load at window creation.
#include <gtest/gtest.h>
#include "app/window_proc.h"
#include "core/state.h"
#include "unit/overlay_fixture.h"
#include "unit/settings_fixture.h"

class SettingsFile : public InFreshFolder {};
class SettingsAtWindowCreation : public InFreshFolder {};

TEST_F(SettingsFile, WithoutAFileTheFactoryValuesApplyAndNothingIsWritten)
{
    EXPECT_EQ(kLoadNoFile, LoadSettings());
    EXPECT_EQ(11, g_settings.slotCount);
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mirror);
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_TRUE(FolderEntries(".").empty());
}

TEST_F(SettingsFile, SavingTheFactoryRecordWritesTheEightySevenKnownBytes)
{
    ApplyDefaults();
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(FactoryFile(), ReadFileBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries("."));
}

TEST_F(SettingsFile, ASaveThenALoadGivesBackEveryField)
{
    for (int count : {0, 1, 11, 255}) {
        g_settings = Settings();
        g_settings.slotCount = count;
        for (int i = 0; i < count; i++)
            g_settings.slots[i] = RGB(i, 255 - i, i * 7);
        for (int j = 0; j < 16; j++)
            g_settings.chooserColours[j] = RGB(j * 16, j, 200);
        g_settings.currentSlot = 200;
        g_settings.mirror = 0;
        g_settings.mute = 1;
        g_settings.spraySize = 32;
        g_settings.customSlotSet = 1;
        Settings saved = g_settings;
        ASSERT_NE(0, SaveSettings()) << count << " slots";
        EXPECT_TRUE(SameRecord(saved, g_settings)) << "saving changed the record";
        EXPECT_EQ(3u * count + 54, ReadFileBytes("settings.dat").size());

        g_settings = Settings();
        EXPECT_EQ(kLoadRead, LoadSettings());
        EXPECT_TRUE(SameRecord(saved, g_settings)) << count << " slots";
    }
}

TEST_F(SettingsFile, LoadsAFileOfExactlyThreeBytesPerSlotPlusFiftyFourButNotOneByteLess)
{
    Bytes file = TwoSlotFile();
    WriteFileBytes("settings.dat", file);
    EXPECT_EQ(kLoadRead, LoadSettings());
    ExpectTwoSlotRecord(g_settings);

    Settings before = LoadedLookingRecord();
    file.pop_back();
    WriteFileBytes("settings.dat", file);
    EXPECT_EQ(kLoadFailed, LoadSettings());
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsFile, ExtraBytesAreIgnoredAndTheNextSaveDropsThem)
{
    WriteFileBytes("settings.dat", Join(TwoSlotFile(), {0x07, 0x07, 0x07, 0x07, 0x07}));
    EXPECT_EQ(kLoadRead, LoadSettings());
    ExpectTwoSlotRecord(g_settings);
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(TwoSlotFile(), ReadFileBytes("settings.dat"));
}

TEST_F(SettingsFile, AnEmptyOrOneByteFileFails)
{
    Settings before = LoadedLookingRecord();
    WriteFileBytes("settings.dat", {});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    WriteFileBytes("settings.dat", {0x0B});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    WriteFileBytes("settings.dat", {0x00});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsFile, AColoursTopByteIsNotSavedAndLoadsBackAsZero)
{
    ApplyDefaults();
    g_settings.slots[3] = 0xFF800000;
    g_settings.chooserColours[2] = 0x7F030201;
    ASSERT_NE(0, SaveSettings());
    Bytes file = ReadFileBytes("settings.dat");
    ASSERT_EQ(87u, file.size());
    EXPECT_EQ((Bytes{0x00, 0x00, 0x80}), Bytes(file.begin() + 15, file.begin() + 18));
    EXPECT_EQ((Bytes{0x01, 0x02, 0x03}), Bytes(file.begin() + 45, file.begin() + 48));
    EXPECT_EQ(kLoadRead, LoadSettings());
    EXPECT_EQ(0x00800000u, g_settings.slots[3]);
    EXPECT_EQ(0x00030201u, g_settings.chooserColours[2]);
}

TEST_F(SettingsFile, AFileLockedByAnotherHandleFailsToLoadWithoutFactoryValues)
{
    Settings before = LoadedLookingRecord();
    WriteFileBytes("settings.dat", FactoryFile());
    HANDLE other = CreateFileA("settings.dat", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(kLoadFailed, LoadSettings());
    CloseHandle(other);
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsFile, AFolderNamedSettingsDatFailsToLoadWithoutFactoryValues)
{
    Settings before = LoadedLookingRecord();
    ASSERT_TRUE(CreateDirectoryA("settings.dat", NULL));
    EXPECT_EQ(kLoadFailed, LoadSettings());
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsAtWindowCreation, ADamagedFileAtTheFirstStartGivesFactoryValuesButNoSaving)
{
    Bytes damaged = {0x0B, 0x00, 0x01, 0x00, 0x13, 0x00, 0x00, 0x00, 0x00, 0xFF};
    WriteFileBytes("settings.dat", damaged);
    ASSERT_NE(nullptr, StartTestOverlay());
    EXPECT_EQ(11, g_settings.slotCount);
    EXPECT_EQ(0x000000FFu, g_settings.slots[1]);
    EXPECT_EQ(0x00FFFF00u, g_settings.slots[10]);
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mirror);
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_EQ(0x00000000u, g_app.currentColour);
    EXPECT_EQ(0, g_app.saveOnExit);
    EndTestOverlay();
    EXPECT_EQ(damaged, ReadFileBytes("settings.dat"));
}

TEST_F(SettingsAtWindowCreation, ADamagedFileAfterALoadKeepsWhatWasLoaded)
{
    WriteFileBytes("settings.dat", TwoSlotFile());
    EXPECT_EQ(kLoadRead, LoadSettingsForWindow());
    WriteFileBytes("settings.dat", {0x02, 0x01});
    EXPECT_EQ(kLoadFailed, LoadSettingsForWindow());
    ExpectTwoSlotRecord(g_settings);
}

// A record of no slots and spray size 0 is a real record, not "nothing loaded
// yet": a failed reload must not replace it with the factory values.
TEST_F(SettingsAtWindowCreation, AFailedReloadKeepsALoadedRecordEvenOfNoSlotsAndSizeZero)
{
    Bytes empty = Join({0x00, 0x00, 0x00, 0x01, 0x00, 0x00}, Repeat(0x22, 48));
    WriteFileBytes("settings.dat", empty);
    EXPECT_EQ(kLoadRead, LoadSettingsForWindow());
    ASSERT_EQ(0, g_settings.slotCount);
    ASSERT_EQ(0, g_settings.spraySize);

    // Another program holds the file without sharing: the reload fails.
    HANDLE other = CreateFileA("settings.dat", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(kLoadFailed, LoadSettingsForWindow());
    CloseHandle(other);
    EXPECT_EQ(0, g_settings.slotCount);
    EXPECT_EQ(0, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mute);
    EXPECT_EQ(0x00222222u, g_settings.chooserColours[0]);

    // Saved again, the user's file comes back byte for byte.
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(empty, ReadFileBytes("settings.dat"));
}

TEST_F(SettingsAtWindowCreation, OddValuesFromAFileAreKeptAndTheWindowCopesWithThem)
{
    // No slots, current slot 200, mirror 9, mute 2, spray size 7, custom flag 5.
    Bytes odd = Join({0x00, 0xC8, 0x09, 0x02, 0x07, 0x05}, Repeat(0x40, 48));
    WriteFileBytes("settings.dat", odd);
    HWND window = StartTestOverlay();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, g_settings.slotCount);
    EXPECT_EQ(200, g_settings.currentSlot);
    EXPECT_EQ(9, g_settings.mirror);
    EXPECT_EQ(2, g_settings.mute);
    EXPECT_EQ(7, g_settings.spraySize);
    EXPECT_EQ(5, g_settings.customSlotSet);
    EXPECT_EQ(1, g_app.saveOnExit);

    OverlayWndProc(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    OverlayWndProc(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    OverlayWndProc(window, WM_KEYDOWN, '3', 0);
    OverlayWndProc(window, WM_KEYUP, '3', 0);
    OverlayWndProc(window, WM_CHAR, 'l', 0);
    OverlayWndProc(window, WM_CHAR, '+', 0);
    EXPECT_TRUE(IsWindow(window));
    EndTestOverlay();
    EXPECT_EQ(odd, ReadFileBytes("settings.dat"));
}
