// The screen as a person sees it, and the known picture under the overlay.
#include "e2e/x_screen.h"
#include <string>
#include "common/known_picture.h"
#include "e2e/harness.h"

enum { kAnswerTimeoutMs = 5000 };

// Wine's own export, which names the Linux file behind a Windows path; the
// caller frees the name from the process heap.
typedef char *(CDECL *UnixFileNameFunction)(LPCWSTR);

static std::string UnixFileName(const std::string &path)
{
    static UnixFileNameFunction unixFileName = (UnixFileNameFunction)(void *)GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!unixFileName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return "";
    char *name = unixFileName(wide);
    if (!name)
        return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Under Wine, with the X-side program beside the tests.
static bool UnderX()
{
    static const bool underX = FileExists(ProgramPath("xscreen"))
                               && !UnixFileName(ProgramPath("xscreen")).empty();
    return underX;
}

// A file of its own in the temporary folder, for one answer.
static std::string AnswerFile(const char *kind)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    char name[MAX_PATH];
    wsprintfA(name, "%spintaflux-xscreen-%lu-%s-%d", temp, GetCurrentProcessId(), kind, ++serial);
    return name;
}

// Wine starts a Linux program but hands back no handle to wait on: its
// answer is a file that appears whole.
static int RunXScreen(const std::string &arguments)
{
    std::string command = "\"" + ProgramPath("xscreen") + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return 0;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    return 1;
}

static bool AppearsInTime(const std::string &file)
{
    return WaitUntil([&] { return FileExists(file); }, kAnswerTimeoutMs);
}

std::vector<DWORD> ReadSeenScreen(int left, int top, int width, int height)
{
    if (!UnderX())
        return ReadScreen(left, top, width, height);
    std::string file = AnswerFile("grab");
    char area[64];
    wsprintfA(area, "grab %d %d %d %d ", left, top, width, height);
    if (!RunXScreen(area + ("\"" + UnixFileName(file) + "\"")) || !AppearsInTime(file))
        return {};
    std::vector<BYTE> bytes = ReadFileBytes(file);
    DeleteFileA(file.c_str());
    if (bytes.size() != (size_t)width * height * 4)
        return {};
    std::vector<DWORD> pixels(bytes.size() / 4);
    CopyMemory(pixels.data(), bytes.data(), bytes.size());
    return pixels;
}

DWORD SeenPixel(int x, int y)
{
    std::vector<DWORD> pixel = ReadSeenScreen(x, y, 1, 1);
    return pixel.empty() ? kUnreadPixel : pixel[0];
}

static DWORD WordAt(const std::vector<BYTE> &bytes, size_t i)
{
    return bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16
           | (DWORD)bytes[4 * i + 3] << 24;
}

SeenPointerImage ReadSeenPointer()
{
    SeenPointerImage image = {};
    if (!UnderX())
        return image;
    std::string file = AnswerFile("pointer");
    if (!RunXScreen("pointer \"" + UnixFileName(file) + "\"") || !AppearsInTime(file))
        return image;
    std::vector<BYTE> bytes = ReadFileBytes(file);
    DeleteFileA(file.c_str());
    if (bytes.size() < 16)
        return image;
    size_t count = (size_t)WordAt(bytes, 0) * WordAt(bytes, 1);
    if (bytes.size() != (4 + count) * 4)
        return image;
    image.width = (int)WordAt(bytes, 0);
    image.height = (int)WordAt(bytes, 1);
    image.hotSpot = {(LONG)WordAt(bytes, 2), (LONG)WordAt(bytes, 3)};
    for (size_t i = 0; i < count; i++)
        image.pixels.push_back(WordAt(bytes, 4 + i));
    return image;
}

static int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
static int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

COLORREF KnownPictureColour(int x, int y)
{
    DWORD rgb = (DWORD)KnownPictureRgb(x, y, ScreenWidth(), ScreenHeight());
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool SeesPictureAt(int x, int y)
{
    return LooksLike(SeenPixel(x, y), KnownPictureColour(x, y));
}

// Away from X: a window of the test's own that paints the picture without
// taking the activation.
static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (int band = 0; band < 8; band++)
        for (int half = 0; half < 2; half++) {
            RECT rect = {band * ScreenWidth() / 8, half * ScreenHeight() / 2,
                         (band + 1) * ScreenWidth() / 8, (half + 1) * ScreenHeight() / 2};
            HBRUSH brush = CreateSolidBrush(KnownPictureColour(rect.left, rect.top));
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
        }
    EndPaint(window, &paint);
    return 0;
}

static HWND ShowPictureWindow()
{
    static const char className[] = "PintafluxKnownPicture";
    WNDCLASSA pictureClass = {};
    pictureClass.lpfnWndProc = PictureProc;
    pictureClass.hInstance = GetModuleHandleA(NULL);
    pictureClass.lpszClassName = className;
    RegisterClassA(&pictureClass);  // fails harmlessly once registered
    HWND picture = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className, "known picture",
                                   WS_POPUP, 0, 0, ScreenWidth(), ScreenHeight(), NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    SetWindowPos(picture, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(picture);
    PumpTestMessages();
    return picture;
}

// The picture shown now: the X program's file, or the test's own window.
static std::string pictureFile;
static HWND pictureWindow = NULL;

int ShowKnownPicture()
{
    HideKnownPicture();
    if (!UnderX()) {
        pictureWindow = ShowPictureWindow();
        Sleep(200);
        PumpTestMessages();
        return pictureWindow != NULL;
    }
    // The X program shows it for as long as this file exists.
    pictureFile = AnswerFile("picture");
    WriteFileBytes(pictureFile, {});
    if (!RunXScreen("picture \"" + UnixFileName(pictureFile) + "\""))
        return 0;
    return AppearsInTime(pictureFile + ".shown");
}

void HideKnownPicture()
{
    if (pictureWindow)
        DestroyWindow(pictureWindow);
    pictureWindow = NULL;
    if (pictureFile.empty())
        return;
    DeleteFileA(pictureFile.c_str());
    // Gone from the screen once its program removes this.
    WaitUntil([&] { return !FileExists(pictureFile + ".shown"); }, kAnswerTimeoutMs);
    pictureFile.clear();
}
