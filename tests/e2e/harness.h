// Drives the real pintaflux.exe: start it in a fresh folder, find its window,
// send it real input, and read back the screen, its files and its exit code.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "common/files.h"
#include "common/screen.h"
#include "e2e/x_screen.h"

struct Program {
    PROCESS_INFORMATION process;
    std::string folder;  // the working directory it was started in
    HWND window;         // its overlay window, once found
};

// A program built beside the test executable, by its file name.
std::string ProgramPath(const char *exeName);

// A new, empty folder of its own under the temporary folder.
std::string MakeFreshFolder();

// Starts pintaflux.exe with the given working directory. Returns 1 on success.
int StartProgram(const std::string &folder, Program *program);
// Starts another program built beside the tests, for example other_program.exe.
int StartProgramNamed(const char *exeName, const std::string &folder, Program *program);
// Starts the program at that path, with the given working directory.
int StartProgramAt(const std::string &path, const std::string &folder, Program *program);

// Starts it and waits for its overlay window to show. Returns 1 when shown.
int StartAndWaitForWindow(Program *program);
// The same in a folder of the caller's, for example one holding a settings file.
int StartInFolderAndWait(const std::string &folder, Program *program);

// Waits for a visible top-level window of class "Pintaflux" belonging to the
// process; null when none appears in time.
HWND WaitForOverlay(const Program &program, DWORD timeoutMs);

// Waits for the process to end and returns its exit code; ends it and
// returns -1 when it does not end in time.
long WaitForExit(Program *program, DWORD timeoutMs);

// Ends a program that a test left running, and closes its handles.
void EndProgram(Program *program);

// Runs the messages waiting for the test's own windows.
void PumpTestMessages();

// Polls the condition until it holds or the time is up, keeping the test's
// own windows answering meanwhile.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpTestMessages();
        Sleep(20);
    }
    return true;
}

// Real keyboard input through SendInput, with Shift where the character needs it.
void TypeText(const char *text);
void PressKey(WORD virtualKey);

// The system DPI that programs started from now on find (the prefix's
// "LogPixels"), and back to what it was before; restoring without a change
// does nothing.
void SetSystemDpi(DWORD dpi);
void RestoreSystemDpi();

// Files in a program's folder.
std::string FolderFile(const Program &program, const char *name);

// Real mouse input through SendInput, at screen coordinates.
void MoveMouse(int x, int y);
void PressLeftButton();
void ReleaseLeftButton();
void ClickRightButton();
void ClickLeftAt(int x, int y);
// One wheel message of the given delta (WHEEL_DELTA is one notch).
void TurnWheel(int delta);

// Keys held down and let go, for Shift-selections and the like.
void HoldKey(WORD virtualKey);
void LetGoKey(WORD virtualKey);

// A top-level window of the program with that caption; null when none appears in time.
HWND WaitForWindowTitled(const Program &program, const char *caption, DWORD timeoutMs);

// Replaces the text of an edit control as a user would: click into it,
// select what it holds and type over it.
void TypeIntoControl(HWND control, const char *text);
