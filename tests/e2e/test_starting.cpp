// Starting: one overlay however it is started, and no DLL from its folder.
#include <gtest/gtest.h>
#include "e2e/harness.h"

static bool HasEnded(const Program &program)
{
    return WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0;
}

// Escape, as the user ends it; the exit code.
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
        ASSERT_TRUE(StartProgram(folder, &starts[0]) && StartProgram(folder, &starts[1]));
        ASSERT_TRUE(WaitUntil([&] { return HasEnded(starts[0]) || HasEnded(starts[1]); }, 20000))
            << "round " << round << ": both still run";
        int ended = HasEnded(starts[0]) ? 0 : 1;
        EXPECT_EQ(4, WaitForExit(&starts[ended], 1000)) << "round " << round;
        starts[1 - ended].window = WaitForOverlay(starts[1 - ended], 15000);
        EXPECT_EQ(0, EndWithEscape(&starts[1 - ended])) << "round " << round;
    }
}

TEST(Starting, DllsBesideTheProgramNamedAsSystemDllsNeverRunInsideIt)
{
    const std::string names[] = {"winmm.dll", "msimg32.dll", "dwmapi.dll"};
    std::string folder = MakeFreshFolder() + "\\";
    CopyFileA(ProgramPath("pintaflux.exe").c_str(), (folder + "pintaflux.exe").c_str(), FALSE);
    for (const std::string &name : names)
        CopyFileA(ProgramPath("planted_dll.dll").c_str(), (folder + name).c_str(), FALSE);
    // Under Wine, Windows' order for these names: the program's folder first.
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    SetEnvironmentVariableA("WINEDLLOVERRIDES",
                            (std::string(overrides) + ";winmm,msimg32,dwmapi=n,b").c_str());
    Program program = {};
    int started = StartProgramAt(folder + "pintaflux.exe", folder, &program);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides[0] ? overrides : NULL);
    ASSERT_TRUE(started);
    program.window = WaitForOverlay(program, 15000);
    ASSERT_NE(nullptr, program.window) << "it did not start";
    ClickLeftAt(300, 300);  // a dab: the blend and the hiss
    EXPECT_EQ(0, EndWithEscape(&program));
    for (const std::string &name : names)
        EXPECT_FALSE(FileExists(folder + name + ".ran")) << name << " ran inside Pintaflux";
}
