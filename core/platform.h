// The few platform calls that tests replace: ending the process, playing
// sound, the modal colour chooser, the pointer and its buttons, the
// compositor, the window manager's extra style, the functions looked up by
// name (the DPI awareness functions among them), the step-back's way to the
// task bar and the power manager. Tests link their own version of these functions in
// place of platform.cpp.
#pragma once
#include <windows.h>
#include <commdlg.h>

// Ends this process at once with the given exit code.
void PlatformEndProcess(UINT exitCode);
BOOL PlatformPlaySound(LPCSTR sound, HMODULE module, DWORD flags);
BOOL PlatformChooseColor(CHOOSECOLORA *record);
BOOL PlatformGetCursorPos(POINT *pointer);
// Returns once a compositing desktop has presented what was last drawn or
// hidden; at once where there is no compositor, and under Wine after a
// moment for the X programs underneath to draw what was uncovered.
void PlatformWaitForCompositor();
// Whether a change of a window's task-bar styles must be made while it is
// hidden: Windows' task bar takes it only as the window is shown. Not under
// Wine, whose X driver takes it at once, and where a hidden window can wait
// seconds for a window manager that never answers.
BOOL PlatformTaskBarNeedsReshow();
// Extended styles the overlay window carries beyond its own where an X
// window manager places and focuses it (under Wine); none on Windows.
DWORD PlatformWindowManagerExStyle();

// Whether the mouse button of that virtual-key code (VK_LBUTTON or
// VK_RBUTTON) is down on the hardware right now, whoever has the input.
BOOL PlatformPhysicalButtonDown(int virtualKey);
// Whether the user has swapped the buttons: the logical left button is then
// the physical right one.
BOOL PlatformButtonsSwapped();
// A function of a system DLL ("user32.dll") by name, the DLL taken from the
// system folder; null where this version of Windows lacks it.
FARPROC PlatformSystemFunction(const char *library, const char *name);
// Asks the power manager to keep the display on, or lets it go again.
void PlatformSetExecutionState(EXECUTION_STATE state);
// Turns a compositing desktop's show and hide animations off for the window.
void PlatformDisableTransitions(HWND window);
