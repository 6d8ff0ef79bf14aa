// The end-to-end harness.
#include "e2e/harness.h"
#include <gtest/gtest.h>

// The folders made for the tests and not yet removed.
static std::vector<std::string> madeFolders;

static void RemoveMadeFolders()
{
    std::vector<std::string> left;
    for (const std::string &folder : madeFolders)
        if (!RemoveFolderTree(folder))
            left.push_back(folder);
    madeFolders = left;
}

// Removes them when a test has ended, passed or failed: by then its fixture
// has ended the programs started in them. What a program still running held
// on to is tried again after the next test and at the very end.
class RemoveFoldersAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &) override { RemoveMadeFolders(); }
    void OnTestProgramEnd(const ::testing::UnitTest &) override { RemoveMadeFolders(); }
};
static const bool removalRegistered =
    (::testing::UnitTest::GetInstance()->listeners().Append(new RemoveFoldersAfterEachTest), true);

// The tests measure and point in the screen's real pixels, as the program
// does: aware of the DPI before any window exists, or a scaling system
// shows them a smaller screen.
static const bool dpiAware = SetProcessDPIAware() != FALSE;

std::string ProgramPath(const char *exeName)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string own(path, length);
    return own.substr(0, own.find_last_of("\\/") + 1) + exeName;
}

std::string MakeFreshFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    for (;;) {
        char name[MAX_PATH];
        wsprintfA(name, "%spintaflux-e2e-%lu-%d", temp, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryA(name, NULL)) {
            madeFolders.push_back(name);
            return name;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
}

int StartProgram(const std::string &folder, Program *program)
{
    return StartProgramNamed("pintaflux.exe", folder, program);
}

int StartProgramNamed(const char *exeName, const std::string &folder, Program *program)
{
    return StartProgramAt(ProgramPath(exeName), folder, program);
}

int StartProgramAt(const std::string &path, const std::string &folder, Program *program)
{
    program->folder = folder;
    program->window = NULL;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    return CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                          folder.c_str(), &startup, &program->process) != FALSE;
}

// A visible top-level window of one process whose class name, or else whose
// caption, is the given text.
struct WindowSearch {
    DWORD processId;
    const char *className;
    const char *caption;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowSearch *search = (WindowSearch *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[128];
    int matches = search->className
                      ? GetClassNameA(window, text, sizeof text)
                            && lstrcmpA(text, search->className) == 0
                      : GetWindowTextA(window, text, sizeof text)
                            && lstrcmpA(text, search->caption) == 0;
    if (!matches)
        return TRUE;
    search->found = window;
    return FALSE;
}

static HWND WaitForWindow(WindowSearch search, DWORD timeoutMs)
{
    WaitUntil([&] {
        EnumWindows(MatchWindow, (LPARAM)&search);
        return search.found != NULL;
    }, timeoutMs);
    return search.found;
}

HWND WaitForOverlay(const Program &program, DWORD timeoutMs)
{
    return WaitForWindow({program.process.dwProcessId, "Pintaflux", NULL, NULL}, timeoutMs);
}

int StartAndWaitForWindow(Program *program)
{
    return StartInFolderAndWait(MakeFreshFolder(), program);
}

int StartInFolderAndWait(const std::string &folder, Program *program)
{
    if (!StartProgram(folder, program))
        return 0;
    program->window = WaitForOverlay(*program, 15000);
    if (!program->window)
        return 0;
    // Let the first repaint and the start-up activation settle.
    WaitForInputIdle(program->process.hProcess, 5000);
    Sleep(300);
    return 1;
}

long WaitForExit(Program *program, DWORD timeoutMs)
{
    if (!program->process.hProcess)
        return -1;
    long result = -1;
    if (WaitForSingleObject(program->process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(program->process.hProcess, &code);
        result = (long)code;
    } else {
        TerminateProcess(program->process.hProcess, 99);
        WaitForSingleObject(program->process.hProcess, 5000);
    }
    CloseHandle(program->process.hProcess);
    CloseHandle(program->process.hThread);
    program->process = PROCESS_INFORMATION();
    return result;
}

void EndProgram(Program *program)
{
    if (program->process.hProcess)
        WaitForExit(program, 0);
}

static void SendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = (WORD)MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD virtualKey)
{
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    Sleep(30);
}

void TypeText(const char *text)
{
    for (; *text; text++) {
        SHORT scan = VkKeyScanA(*text);
        WORD key = LOBYTE(scan);
        bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            SendKey(VK_SHIFT, false);
        PressKey(key);
        if (shift)
            SendKey(VK_SHIFT, true);
    }
}

static const char kDesktopKey[] = "Control Panel\\Desktop";
// The value before SetSystemDpi: 0 when there was none, ~0 when unchanged.
static DWORD dpiBefore = ~0u;

void SetSystemDpi(DWORD dpi)
{
    DWORD size = sizeof dpiBefore;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, NULL,
                     &dpiBefore, &size) != ERROR_SUCCESS)
        dpiBefore = 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

void RestoreSystemDpi()
{
    if (dpiBefore == 0)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
    else if (dpiBefore != ~0u)
        RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpiBefore,
                        sizeof dpiBefore);
    dpiBefore = ~0u;
}

std::string FolderFile(const Program &program, const char *name)
{
    return program.folder + "\\" + name;
}

void PumpTestMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

static void SendMouse(DWORD flags, int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

static POINT MousePosition()
{
    POINT position;
    GetCursorPos(&position);
    return position;
}

void MoveMouse(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE, x, y);
}

void PressLeftButton()
{
    POINT at = MousePosition();
    SendMouse(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
}

void ReleaseLeftButton()
{
    POINT at = MousePosition();
    SendMouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
}

void ClickRightButton()
{
    POINT at = MousePosition();
    SendMouse(MOUSEEVENTF_RIGHTDOWN, at.x, at.y);
    SendMouse(MOUSEEVENTF_RIGHTUP, at.x, at.y);
}

void ClickLeftAt(int x, int y)
{
    MoveMouse(x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
}

void TurnWheel(int delta)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = (DWORD)delta;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void HoldKey(WORD virtualKey)
{
    SendKey(virtualKey, false);
}

void LetGoKey(WORD virtualKey)
{
    SendKey(virtualKey, true);
}

HWND WaitForWindowTitled(const Program &program, const char *caption, DWORD timeoutMs)
{
    return WaitForWindow({program.process.dwProcessId, NULL, caption, NULL}, timeoutMs);
}

void TypeIntoControl(HWND control, const char *text)
{
    RECT rect;
    GetWindowRect(control, &rect);
    ClickLeftAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PressKey(VK_END);
    HoldKey(VK_SHIFT);
    PressKey(VK_HOME);
    LetGoKey(VK_SHIFT);
    TypeText(text);
}
