// The settings record: factory values, its byte layout and "settings.dat".
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "app/state.h"
#include "app/window_proc.h"
#include "settings/settings_codec.h"
#include "unit/overlay_fixture.h"

typedef std::vector<BYTE> Bytes;

static void RemoveFolder(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Saving and loading use the working directory, and every overlay window
// loads at creation and may save at destruction: each of these tests runs in
// a new, empty folder of its own, removed afterwards.
class InFreshFolder : public ::testing::Test {
protected:
    void SetUp() override
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
    void TearDown() override
    {
        // A window left open saves here rather than anywhere else.
        EndTestOverlay();
        SetCurrentDirectoryA(home);
        RemoveFolder(folder);
    }
    char home[MAX_PATH];
    std::string folder;
};

class SettingsFile : public InFreshFolder {};
class SettingsSave : public InFreshFolder {};
class SettingsAtWindowCreation : public InFreshFolder {};
class SettingsLoadRobustness : public InFreshFolder {};

static void WriteBytes(const char *name, const Bytes &bytes)
{
    // Rewriting in place: under Wine, CREATE_ALWAYS on an existing file costs
    // milliseconds, which the many files of the robustness test add up.
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    SetEndOfFile(file);
    CloseHandle(file);
}

static Bytes ReadBytes(const char *name)
{
    Bytes bytes;
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    BYTE buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got)
        bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return bytes;
}

static std::vector<std::string> FolderNames()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

static Bytes Repeat(BYTE value, size_t count)
{
    return Bytes(count, value);
}

static Bytes Join(Bytes head, const Bytes &tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The file that the factory record makes.
static Bytes FactoryFile()
{
    return Join({0x0B, 0x00, 0x01, 0x00, 0x13, 0x00,
                 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80,
                 0x50, 0x28, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x80, 0x00,
                 0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x00, 0xFF, 0xFF},
                Repeat(0x00, 48));
}

// Two slots, slot 1 current, mirror off, mute on, spray size 25, custom slot
// chosen; chooser colour 0 is (1, 2, 3) and colour 15 is (10, 11, 12).
static Bytes TwoSlotFile()
{
    return Join(Join({0x02, 0x01, 0x00, 0x01, 0x19, 0x01,
                      0x33, 0x22, 0x11, 0x66, 0x55, 0x44,
                      0x01, 0x02, 0x03},
                     Repeat(0x00, 14 * 3)),
                {0x0A, 0x0B, 0x0C});
}

static void ExpectTwoSlotRecord(const Settings &record)
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

static ::testing::AssertionResult SameRecord(const Settings &expected, const Settings &actual)
{
    // Every field is a 32-bit value, so the record has no padding.
    if (memcmp(&expected, &actual, sizeof expected) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "records differ: slot count " << expected.slotCount << " / " << actual.slotCount
           << ", spray size " << expected.spraySize << " / " << actual.spraySize;
}

// Factory values with a few fields changed, to tell "unchanged" from "reset".
static Settings LoadedLookingRecord()
{
    ApplyDefaults();
    g_settings.currentSlot = 3;
    g_settings.spraySize = 32;
    g_settings.mute = 1;
    g_settings.slots[4] = RGB(9, 9, 9);
    g_settings.chooserColours[7] = RGB(1, 1, 1);
    return g_settings;
}

static Bytes Encoded(const Settings &record)
{
    BYTE bytes[kMaxSettingsBytes];
    int size = EncodeSettings(&record, bytes);
    return Bytes(bytes, bytes + size);
}

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

TEST_F(SettingsFile, WithoutAFileTheFactoryValuesApplyAndNothingIsWritten)
{
    EXPECT_EQ(kLoadNoFile, LoadSettings());
    EXPECT_EQ(11, g_settings.slotCount);
    EXPECT_EQ(19, g_settings.spraySize);
    EXPECT_EQ(1, g_settings.mirror);
    EXPECT_EQ(0, g_settings.currentSlot);
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(SettingsFile, SavingTheFactoryRecordWritesTheEightySevenKnownBytes)
{
    ApplyDefaults();
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(FactoryFile(), ReadBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderNames());
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
        EXPECT_EQ(3u * count + 54, ReadBytes("settings.dat").size());

        g_settings = Settings();
        EXPECT_EQ(kLoadRead, LoadSettings());
        EXPECT_TRUE(SameRecord(saved, g_settings)) << count << " slots";
    }
}

TEST_F(SettingsFile, LoadsAFileOfExactlyThreeBytesPerSlotPlusFiftyFourButNotOneByteLess)
{
    Bytes file = TwoSlotFile();
    WriteBytes("settings.dat", file);
    EXPECT_EQ(kLoadRead, LoadSettings());
    ExpectTwoSlotRecord(g_settings);

    Settings before = LoadedLookingRecord();
    file.pop_back();
    WriteBytes("settings.dat", file);
    EXPECT_EQ(kLoadFailed, LoadSettings());
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsFile, ExtraBytesAreIgnoredAndTheNextSaveDropsThem)
{
    WriteBytes("settings.dat", Join(TwoSlotFile(), {0x07, 0x07, 0x07, 0x07, 0x07}));
    EXPECT_EQ(kLoadRead, LoadSettings());
    ExpectTwoSlotRecord(g_settings);
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(TwoSlotFile(), ReadBytes("settings.dat"));
}

TEST_F(SettingsFile, AnEmptyOrOneByteFileFails)
{
    Settings before = LoadedLookingRecord();
    WriteBytes("settings.dat", {});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    WriteBytes("settings.dat", {0x0B});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    WriteBytes("settings.dat", {0x00});
    EXPECT_EQ(kLoadFailed, LoadSettings());
    EXPECT_TRUE(SameRecord(before, g_settings));
}

TEST_F(SettingsFile, AColoursTopByteIsNotSavedAndLoadsBackAsZero)
{
    ApplyDefaults();
    g_settings.slots[3] = 0xFF800000;
    g_settings.chooserColours[2] = 0x7F030201;
    ASSERT_NE(0, SaveSettings());
    Bytes file = ReadBytes("settings.dat");
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
    WriteBytes("settings.dat", FactoryFile());
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

// The save writes "settings.dat.tmp" first and then puts it in place.
TEST_F(SettingsSave, ThatCannotCreateItsNewFileFailsAndKeepsTheOldOne)
{
    WriteBytes("settings.dat", TwoSlotFile());
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp", NULL));
    Settings before = LoadedLookingRecord();
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ(TwoSlotFile(), ReadBytes("settings.dat"));
    EXPECT_EQ((std::vector<std::string>{"settings.dat", "settings.dat.tmp"}), FolderNames());
    EXPECT_TRUE(GetFileAttributesA("settings.dat.tmp") & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(SameRecord(before, g_settings));

    // Once the name is free again the same record saves.
    ASSERT_TRUE(RemoveDirectoryA("settings.dat.tmp"));
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(before), ReadBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderNames());
}

TEST_F(SettingsSave, ThatCannotCreateItsNewFileWritesNoFileAtAll)
{
    ApplyDefaults();
    ASSERT_TRUE(CreateDirectoryA("settings.dat.tmp", NULL));
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ(std::vector<std::string>{"settings.dat.tmp"}, FolderNames());
}

TEST_F(SettingsSave, RefusedWhileAnotherHandleForbidsReplacingTheFileKeepsTheOldOne)
{
    WriteBytes("settings.dat", TwoSlotFile());
    // Readers and writers welcome, but not deleting or replacing.
    HANDLE other = CreateFileA("settings.dat", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    Settings before = LoadedLookingRecord();
    EXPECT_EQ(0, SaveSettings());
    EXPECT_EQ(TwoSlotFile(), ReadBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderNames());
    EXPECT_TRUE(SameRecord(before, g_settings));

    CloseHandle(other);
    EXPECT_NE(0, SaveSettings());
    EXPECT_EQ(Encoded(before), ReadBytes("settings.dat"));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderNames());
}

TEST_F(SettingsAtWindowCreation, ADamagedFileAtTheFirstStartGivesFactoryValuesButNoSaving)
{
    Bytes damaged = {0x0B, 0x00, 0x01, 0x00, 0x13, 0x00, 0x00, 0x00, 0x00, 0xFF};
    WriteBytes("settings.dat", damaged);
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
    EXPECT_EQ(damaged, ReadBytes("settings.dat"));
}

TEST_F(SettingsAtWindowCreation, ADamagedFileAfterALoadKeepsWhatWasLoaded)
{
    WriteBytes("settings.dat", TwoSlotFile());
    EXPECT_EQ(kLoadRead, LoadSettingsForWindow());
    WriteBytes("settings.dat", {0x02, 0x01});
    EXPECT_EQ(kLoadFailed, LoadSettingsForWindow());
    ExpectTwoSlotRecord(g_settings);
}

TEST_F(SettingsAtWindowCreation, OddValuesFromAFileAreKeptAndTheWindowCopesWithThem)
{
    // No slots, current slot 200, mirror 9, mute 2, spray size 7, custom flag 5.
    Bytes odd = Join({0x00, 0xC8, 0x09, 0x02, 0x07, 0x05}, Repeat(0x40, 48));
    WriteBytes("settings.dat", odd);
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
    EXPECT_EQ(odd, ReadBytes("settings.dat"));
}

// Loads the file with a known record in memory, and checks that the load
// either kept that record whole or took exactly what the file holds.
static ::testing::AssertionResult LoadsWholeOrNothing(const Bytes &file, int *result)
{
    static const Settings sentinel = LoadedLookingRecord();
    WriteBytes("settings.dat", file);
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
