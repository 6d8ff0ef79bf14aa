// The few platform calls that tests replace: ending the process, playing
// sound and the modal colour chooser. Tests link their own version of
// these three functions in place of platform.cpp.
#pragma once
#include <windows.h>
#include <commdlg.h>

// Ends this process at once with the given exit code.
void PlatformEndProcess(UINT exitCode);
BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags);
BOOL PlatformChooseColor(CHOOSECOLORA *record);
