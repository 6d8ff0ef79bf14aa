// Switching to another program and back, again and again, as a user does:
// each switch steps back, each come-back shows the paint as it was and
// takes keys at once.
#include <gtest/gtest.h>
#include "e2e/harness.h"

enum {
    kCycles = 10,
    kPatch = 25,  // edge of the screen patch kept around each dab
};

struct Patch {
    int x, y;                  // the dab's centre
    std::vector<DWORD> paint;  // the patch as it looked when sprayed
};

static std::vector<DWORD> PatchAt(int x, int y)
{
    return ReadScreen(x - kPatch / 2, y - kPatch / 2, kPatch, kPatch);
}

// The largest difference of one channel between two patches.
static int LargestDifference(const std::vector<DWORD> &a, const std::vector<DWORD> &b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        for (int shift = 0; shift <= 16; shift += 8) {
            int difference = abs((int)((a[i] >> shift) & 0xFF) - (int)((b[i] >> shift) & 0xFF));
            largest = difference > largest ? difference : largest;
        }
    return a.size() == b.size() ? largest : 256;
}

class Switching : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartOther());
        ASSERT_TRUE(WaitUntil([&] { return OtherWindow() && GetForegroundWindow() == OtherWindow(); },
                              15000));
        Sleep(300);
        ASSERT_TRUE(StartAndWaitForWindow(&program));
    }
    void TearDown() override
    {
        EndProgram(&again);
        EndProgram(&program);
        EndProgram(&other);
    }
    int StartOther()
    {
        Program *start = other.process.hProcess ? &again : &other;
        return StartProgramNamed("other_program.exe", MakeFreshFolder(), start);
    }
    HWND OtherWindow() { return FindWindowA("PintafluxOtherProgram", NULL); }
    LONG ExStyle() { return GetWindowLongA(program.window, GWL_EXSTYLE); }
    bool OnTop() { return (ExStyle() & WS_EX_TOOLWINDOW) && (ExStyle() & WS_EX_TOPMOST); }
    bool SteppedBack() { return !(ExStyle() & WS_EX_TOPMOST) && GetForegroundWindow() == OtherWindow(); }
    // What the other program shows at the point, without any paint. The bare
    // patch was read through the overlay's copy of the screen, which at 16
    // bits may round a channel differently from the program's own drawing.
    bool OtherShowsAt(const Patch &patch)
    {
        int tolerance = DisplayDepth() == 16 ? 8 : 2;
        return LargestDifference(PatchAt(patch.x, patch.y), bare[&patch - &patches[0]]) <= tolerance;
    }
    // A short press with the slot's colour, remembered as it looks.
    void DabAt(int x, int y)
    {
        bare.push_back(PatchAt(x, y));
        MoveMouse(x, y);
        PressLeftButton();
        ReleaseLeftButton();
        Sleep(250);
        patches.push_back({x, y, PatchAt(x, y)});
    }
    Program program = {};
    Program other = {};
    Program again = {};
    std::vector<Patch> patches;
    std::vector<std::vector<DWORD>> bare;
};

TEST_F(Switching, TenSwitchesAwayAndBackKeepThePaintAndTakeKeysAtOnce)
{
    static const COLORREF slotColours[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 128)};
    DabAt(120, 200);
    DabAt(380, 200);
    for (int cycle = 0; cycle < kCycles; cycle++) {
        SCOPED_TRACE(testing::Message() << "cycle " << cycle);
        // Away: the other program, started again, comes forward.
        ASSERT_TRUE(StartOther());
        EXPECT_EQ(0, WaitForExit(&again, 15000));
        ASSERT_TRUE(WaitUntil([&] { return SteppedBack(); }, 5000));
        EXPECT_TRUE(WaitUntil([&] { return OtherShowsAt(patches[0]); }, 3000));
        for (const Patch &patch : patches)
            EXPECT_TRUE(OtherShowsAt(patch)) << "paint still shows at " << patch.x;

        // Back: a second start of Pintaflux brings it back on top.
        ASSERT_TRUE(StartProgram(program.folder, &again));
        EXPECT_EQ(4, WaitForExit(&again, 15000));
        ASSERT_TRUE(WaitUntil([&] { return OnTop(); }, 5000));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.window; }, 2000));

        // A key sent at once chooses the colour of the next dab.
        int slot = cycle % 3;
        char digit[2] = {(char)('1' + slot), 0};
        TypeText(digit);
        Sleep(100);
        for (const Patch &patch : patches)
            EXPECT_LE(LargestDifference(PatchAt(patch.x, patch.y), patch.paint), 2)
                << "paint changed at " << patch.x << ", " << patch.y;
        DabAt(100 + 80 * cycle, 500);
        EXPECT_TRUE(LooksLike(ScreenPixel(100 + 80 * cycle, 500), slotColours[slot]))
            << std::hex << ScreenPixel(100 + 80 * cycle, 500);
    }
}
