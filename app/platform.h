// The few platform calls that tests replace: ending the process, playing
// sound, the modal colour chooser, the pointer position, the wait for the
// compositor and the window manager's extra style. Tests link their own
// version of these functions in place of platform.cpp.
#pragma once
#include <windows.h>
#include <commdlg.h>

// Ends this process at once with the given exit code.
void PlatformEndProcess(UINT exitCode);
BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags);
BOOL PlatformChooseColor(CHOOSECOLORA *record);
BOOL PlatformGetCursorPos(POINT *pointer);
// Returns once a compositing desktop has presented what was last drawn or
// hidden; at once where there is no compositor.
void PlatformWaitForCompositor();
// Extended styles the overlay window carries beyond its own where an X
// window manager places and focuses it (under Wine); none on Windows.
DWORD PlatformWindowManagerExStyle();
