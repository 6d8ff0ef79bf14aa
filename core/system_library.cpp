// Loading the system's own DLLs from the system folder.
#include "core/system_library.h"
#include <string.h>

HMODULE LoadSystemLibrary(const char *name)
{
    HMODULE library = LoadLibraryExA(name, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without the loader update refuses the flag: name the file
    // by its full path instead.
    if (library || GetLastError() != ERROR_INVALID_PARAMETER)
        return library;
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + strlen(name) >= MAX_PATH)
        return NULL;
    path[length] = '\\';
    strcpy(path + length + 1, name);
    return LoadLibraryA(path);
}

FARPROC SystemLibraryFunction(const char *library, const char *name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : NULL;
}
