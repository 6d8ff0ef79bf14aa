// The hiss as a sound device receives it: what the real program plays while
// it sprays, captured as raw samples in a file (with_sound_capture.sh sets up
// the device around this test program).
#include <gtest/gtest.h>
#include "e2e/harness.h"

// The samples of a 16-bit PCM stream that are not silent. Wine's output
// fills a period with silence when it runs short of sound, as it does when a
// sound stops.
static std::vector<short> Sounding(const BYTE *bytes, size_t size)
{
    std::vector<short> samples;
    for (size_t i = 0; i + 1 < size; i += 2) {
        short sample = (short)(bytes[i] | bytes[i + 1] << 8);
        if (sample != 0)
            samples.push_back(sample);
    }
    return samples;
}

// The hiss as pintaflux.exe holds it, silence left out: the samples after the
// 44-byte header of a canonical PCM file.
static std::vector<short> HissSamples()
{
    std::vector<short> samples;
    HMODULE program =
        LoadLibraryExA(ProgramPath("pintaflux.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = program ? FindResourceA(program, "IDW_SPRAY", "WAVE") : NULL;
    const BYTE *wave = found ? (const BYTE *)LockResource(LoadResource(program, found)) : NULL;
    DWORD size = found ? SizeofResource(program, found) : 0;
    if (wave && size > 44)
        samples = Sounding(wave + 44, size - 44);
    if (program)
        FreeLibrary(program);
    return samples;
}

class Hiss : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        DWORD length = GetEnvironmentVariableA("PINTAFLUX_SOUND_CAPTURE", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            GTEST_SKIP() << "needs a sound device that captures what the program plays"
                            " (with_sound_capture.sh sets one up under Wine)";
        capture = path;
        // The device makes the capture anew whenever the program opens it.
        DeleteFileA(capture.c_str());
        ASSERT_FALSE(FileExists(capture));
        hiss = HissSamples();
        ASSERT_FALSE(hiss.empty());
        ASSERT_TRUE(StartAndWaitForWindow(&program));
        MoveMouse(320, 200);
    }
    void TearDown() override { EndProgram(&program); }

    // The bytes captured so far; -1 while there is no capture.
    LONGLONG CaptureSize()
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(capture.c_str(), GetFileExInfoStandard, &data))
            return -1;
        return (LONGLONG)data.nFileSizeHigh << 32 | data.nFileSizeLow;
    }

    bool CaptureGrows()
    {
        return WaitUntil([&] { return CaptureSize() > 0; }, 10000);
    }

    // Whether the capture stops growing. The device takes the sound faster
    // than it plays, so a sound still playing grows it every few milliseconds.
    bool CaptureSettles()
    {
        DWORD start = GetTickCount();
        LONGLONG last = CaptureSize();
        for (int unchanged = 0; unchanged < 5;) {
            if (GetTickCount() - start > 10000)
                return false;
            Sleep(100);
            LONGLONG now = CaptureSize();
            unchanged = now == last ? unchanged + 1 : 0;
            last = now;
        }
        return true;
    }

    // The capture holds the hiss from its start, looped back to back at least
    // that many times over, and nothing else but silence.
    ::testing::AssertionResult CaptureIsTheHissLooped(size_t atLeastCopies)
    {
        std::vector<BYTE> bytes = ReadFileBytes(capture);
        std::vector<short> captured = Sounding(bytes.data(), bytes.size());
        if (captured.empty() || captured.size() < atLeastCopies * hiss.size())
            return ::testing::AssertionFailure() << captured.size() << " samples sound of "
                                                 << bytes.size() / 2 << " captured, the hiss has "
                                                 << hiss.size();
        for (size_t i = 0; i < captured.size(); i++)
            if (captured[i] != hiss[i % hiss.size()])
                return ::testing::AssertionFailure() << "sounding sample " << i << " of "
                                                     << captured.size() << " is not the hiss's";
        return ::testing::AssertionSuccess();
    }

    std::string capture;      // the device's file, as a Windows path
    std::vector<short> hiss;  // the samples of one play of the hiss that sound
    Program program = {};
};

TEST_F(Hiss, AHeldStrokeLoopsItUntilTheRelease)
{
    PressLeftButton();
    Sleep(1500);
    ReleaseLeftButton();
    ASSERT_TRUE(CaptureSettles()) << "the hiss goes on after the release";
    // Two copies back to back at least: one play that loops, not a sound
    // played once and started again (each start makes the capture anew).
    EXPECT_TRUE(CaptureIsTheHissLooped(2));
}

TEST_F(Hiss, MStopsItInMidStrokeAndTheNextDabAfterUnmutingBringsItBack)
{
    TypeText("m");
    PressLeftButton();
    Sleep(500);
    ReleaseLeftButton();
    EXPECT_TRUE(CaptureSettles());
    ASSERT_EQ(-1, CaptureSize()) << "a muted stroke plays";

    TypeText("m");
    PressLeftButton();
    ASSERT_TRUE(CaptureGrows()) << "no hiss after unmuting";
    TypeText("m");
    ASSERT_TRUE(CaptureSettles()) << "m leaves the hiss playing while the button is held";
    EXPECT_TRUE(CaptureIsTheHissLooped(0));

    ASSERT_TRUE(DeleteFileA(capture.c_str()));
    TypeText("m");
    EXPECT_TRUE(CaptureGrows()) << "the dabs after unmuting bring no hiss back";
    ReleaseLeftButton();
    ASSERT_TRUE(CaptureSettles()) << "the hiss goes on after the release";
    EXPECT_TRUE(CaptureIsTheHissLooped(0));
}
