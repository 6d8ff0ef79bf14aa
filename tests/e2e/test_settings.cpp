// "settings.dat" as the real program reads and writes it.
#include <gtest/gtest.h>
#include "e2e/harness.h"

typedef std::vector<BYTE> Bytes;

class SettingsOnDisk : public ::testing::Test {
protected:
    void TearDown() override { EndProgram(&program); }
    std::string File() { return FolderFile(program, "settings.dat"); }
    Program program = {};
};

static Bytes Join(Bytes head, const Bytes &tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

static Bytes FactoryFile()
{
    return Join({0x0B, 0x00, 0x01, 0x00, 0x13, 0x00,
                 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80,
                 0x50, 0x28, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x80, 0x00,
                 0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x00, 0xFF, 0xFF},
                Bytes(48, 0x00));
}

// Three slots (red, green, blue), slot 0 current, mirrored, the given mute
// flag and spray size, and chooser colours that no factory record has.
static Bytes ThreeSlotFile(BYTE mute, BYTE spraySize)
{
    return Join({0x03, 0x00, 0x01, mute, spraySize, 0x00,
                 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF},
                Bytes(48, 0x42));
}

static const Bytes kDamaged = {0x0B, 0x00, 0x01, 0x00, 0x13, 0x00, 0x00, 0x00, 0x00, 0xFF};

TEST_F(SettingsOnDisk, SAtTheFirstStartWritesTheFactorySettingsAtExit)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    TypeText("s\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_EQ(FactoryFile(), ReadFileBytes(File()));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries(program.folder));
}

TEST_F(SettingsOnDisk, WithoutSTheFirstStartWritesNothingWhateverChanged)
{
    ASSERT_TRUE(StartAndWaitForWindow(&program));
    TypeText("+mh\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_TRUE(FolderEntries(program.folder).empty());
}

TEST_F(SettingsOnDisk, ALoadedFileIsRewrittenWithTheChangesAtExit)
{
    std::string folder = MakeFreshFolder();
    WriteFileBytes(folder + "\\settings.dat", Join(ThreeSlotFile(0x00, 0x13), {0x99, 0x99}));
    ASSERT_TRUE(StartInFolderAndWait(folder, &program));
    TypeText("+m\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    // Larger spray, muted, and the two bytes beyond the record gone.
    EXPECT_EQ(ThreeSlotFile(0x01, 0x19), ReadFileBytes(File()));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries(folder));
}

TEST_F(SettingsOnDisk, ADamagedFileIsLeftByteForByteAtExit)
{
    std::string folder = MakeFreshFolder();
    WriteFileBytes(folder + "\\settings.dat", kDamaged);
    ASSERT_TRUE(StartInFolderAndWait(folder, &program));
    TypeText("+m\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_EQ(kDamaged, ReadFileBytes(File()));
    EXPECT_EQ(std::vector<std::string>{"settings.dat"}, FolderEntries(folder));
}

TEST_F(SettingsOnDisk, SReplacesADamagedFileWithTheFactorySettings)
{
    std::string folder = MakeFreshFolder();
    WriteFileBytes(folder + "\\settings.dat", kDamaged);
    ASSERT_TRUE(StartInFolderAndWait(folder, &program));
    TypeText("s\x1b");
    EXPECT_EQ(0, WaitForExit(&program, 15000));
    EXPECT_EQ(FactoryFile(), ReadFileBytes(File()));
}

// Windows may end the process once WM_ENDSESSION returns, without WM_DESTROY:
// what Escape would keep is kept, and nothing more.
TEST_F(SettingsOnDisk, TheSessionsEndKeepsWhatEscapeWouldKeep)
{
    Bytes sprayedUpAndMuted = FactoryFile();
    sprayedUpAndMuted[3] = 0x01;  // muted
    sprayedUpAndMuted[4] = 0x19;  // spray size 25
    const struct {
        Bytes before;
        const char *keys;
        Bytes after;
    } cases[] = {{{}, "s+m", sprayedUpAndMuted},
                 {{}, "+m", {}},
                 {ThreeSlotFile(0x00, 0x13), "+m", ThreeSlotFile(0x01, 0x19)}};
    for (const auto &c : cases) {
        std::string folder = MakeFreshFolder();
        if (!c.before.empty())
            WriteFileBytes(folder + "\\settings.dat", c.before);
        ASSERT_TRUE(StartInFolderAndWait(folder, &program));
        // Sent, so that each key is handled before the session's end.
        for (const char *key = c.keys; *key; key++)
            SendMessageA(program.window, WM_CHAR, *key, 0);
        EXPECT_EQ(TRUE, SendMessageA(program.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        SendMessageA(program.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EndProgram(&program);
        EXPECT_EQ(c.after, ReadFileBytes(folder + "\\settings.dat")) << c.keys;
    }
}
