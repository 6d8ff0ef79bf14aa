// Starting: one overlay however the program is started, and no DLL taken
// from the program's own folder.
#include <gtest/gtest.h>
#include "e2e/harness.h"

static bool HasEnded(const Program &program)
{
    return WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0;
}

// Escape, as the user would end it.
static long EndWithEscape(Program *program)
{
    PostMessageA(program->window, WM_CHAR, VK_ESCAPE, 0);
    return WaitForExit(program, 15000);
}

TEST(Starting, TwoStartsAtOnceGiveOneOverlayAndTheOtherEndsWithFour)
{
    for (int round = 0; round < 5; round++) {
        std::string folder = MakeFreshFolder();
        Program starts[2] = {};
        ASSERT_TRUE(StartProgram(folder, &starts[0]));
        ASSERT_TRUE(StartProgram(folder, &starts[1]));
        ASSERT_TRUE(WaitUntil([&] { return HasEnded(starts[0]) || HasEnded(starts[1]); }, 20000))
            << "round " << round << ": both still run";
        Program &ended = HasEnded(starts[0]) ? starts[0] : starts[1];
        Program &running = HasEnded(starts[0]) ? starts[1] : starts[0];
        EXPECT_EQ(4, WaitForExit(&ended, 1000)) << "round " << round;
        running.window = WaitForOverlay(running, 15000);
        ASSERT_NE(nullptr, running.window) << "round " << round;
        EXPECT_EQ(0, EndWithEscape(&running));
    }
}

static bool CopyProgramInto(const std::string &folder, const char *from, const char *to)
{
    return CopyFileA(ProgramPath(from).c_str(), (folder + "\\" + to).c_str(), FALSE) != FALSE;
}

TEST(Starting, DllsBesideTheProgramNamedAsSystemDllsNeverRunInsideIt)
{
    const char *names[] = {"winmm.dll", "msimg32.dll", "dwmapi.dll"};
    std::string folder = MakeFreshFolder();
    ASSERT_TRUE(CopyProgramInto(folder, "pintaflux.exe", "pintaflux.exe"));
    for (const char *name : names)
        ASSERT_TRUE(CopyProgramInto(folder, "planted_dll.dll", name));
    // Wine prefers its own DLLs; for these names, Windows' order: the
    // program's folder first.
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    std::string planted = std::string(overrides) + ";winmm,msimg32,dwmapi=n,b";
    SetEnvironmentVariableA("WINEDLLOVERRIDES", planted.c_str());
    Program program = {};
    int started = StartProgramAt(folder + "\\pintaflux.exe", folder, &program);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides[0] ? overrides : NULL);
    ASSERT_TRUE(started);
    program.window = WaitForOverlay(program, 15000);
    ASSERT_NE(nullptr, program.window);
    // A dab blends and hisses; the window made has had its transitions set.
    ClickLeftAt(300, 300);
    EXPECT_EQ(0, EndWithEscape(&program));
    for (const char *name : names)
        EXPECT_FALSE(FileExists(folder + "\\" + name + ".ran")) << name << " ran inside Pintaflux";
}
