// Test-only DLL, planted beside a copy of pintaflux.exe under the names of
// system DLLs: when the program loads it, it leaves "<its name>.ran" in its
// folder and refuses to load, so that nothing else of it runs.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH - 4);
    if (length == 0 || length >= MAX_PATH - 4)
        return FALSE;
    lstrcpyA(path + length, ".ran");
    HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return FALSE;
}
