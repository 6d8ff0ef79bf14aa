// Planted beside a copy of pintaflux.exe under system DLL names: loaded, it
// leaves "<its path>.ran" and refuses to load, so nothing else of it runs.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH - 4);
    if (reason == DLL_PROCESS_ATTACH && length && length < MAX_PATH - 4)
        CloseHandle(CreateFileA(lstrcatA(path, ".ran"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0,
                                NULL));
    return reason != DLL_PROCESS_ATTACH;
}
