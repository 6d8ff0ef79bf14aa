// The system's own DLLs, loaded from the system folder only: Windows looks
// in the program's folder first for every DLL that is not one of its
// KnownDLLs, and that folder may be Downloads, holding anything.
#pragma once
#include <windows.h>

// A DLL of the system folder by file name ("winmm.dll"), loaded for the
// life of the process; null where the system has none.
HMODULE LoadSystemLibrary(const char *name);

// A function of such a DLL; null where the DLL or the function is missing.
FARPROC SystemLibraryFunction(const char *library, const char *name);
