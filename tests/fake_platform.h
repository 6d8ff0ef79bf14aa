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
    // What the chooser does: confirm with chooserColour, or cancel.
    int chooserConfirms;
    COLORREF chooserColour;
    // The pointer query fails while this is set; otherwise it is the real one.
    int pointerQueryFails;
    // Whether the overlay was visible at each wait for the compositor.
    std::vector<BOOL> compositorWaitsVisible;
};

extern FakePlatform g_fake;

void ResetFakePlatform();
