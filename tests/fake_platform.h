// What the program asked of the platform seam during a test.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>

struct SoundCall {
    std::string sound;  // empty for a stop request
    HMODULE module;
    DWORD flags;
};

struct FakePlatform {
    std::vector<UINT> endProcessCodes;
    std::vector<SoundCall> soundCalls;
    int chooserCalls;
    CHOOSECOLORA lastChooser;
    // What the chooser does: confirm with chooserColour, or cancel; with a
    // dialog, a window owned by the overlay takes the activation and hands
    // it back as it ends, as the platform's dialog does.
    int chooserConfirms;
    int chooserShowsDialog;
    COLORREF chooserColour;
    // The pointer query fails while this is set; otherwise it is the real one.
    int pointerQueryFails;
    // Whether the overlay was visible at each wait for the compositor.
    std::vector<BOOL> compositorWaitsVisible;
    // The buttons on the hardware: the tests' strokes hold the left one
    // unless a test lets it go.
    int physicalLeftDown = 1;
    int physicalRightDown;
    int buttonsSwapped;
    // Which DPI awareness functions user32 offers, and the calls that
    // start-up makes to them, to the DLL search and to the input methods,
    // each marked "late" when an overlay window existed already.
    int lacksAwarenessContext;
    int awarenessContextFails;
    int lacksDpiAware;
    std::vector<std::string> startCalls;
    // The display's scale as user32's DPI queries tell it; 0 where user32
    // lacks the query, which leaves the real screen and metrics to answer.
    UINT windowDpi;
    UINT systemDpi;
    int cursorEdgeQuery;  // GetSystemMetricsForDpi: 1 offered, 0 lacking
    // What the power manager was asked for, in order.
    std::vector<EXECUTION_STATE> executionStates;
    // Whether the step-back hides the window for the task bar, as on Windows.
    int taskBarNeedsReshow;
    // The windows whose transitions were turned off.
    std::vector<HWND> transitionsDisabled;
};

extern FakePlatform g_fake;

void ResetFakePlatform();
