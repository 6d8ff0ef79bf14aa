// Timings of the dab, the repaint and the cursor build on a real overlay window in this process:
// medians in microseconds, printed with the display's size and depth.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include "colour/cursor.h"
#include "core/state.h"
#include "fake_platform.h"
#include "paint/stamp.h"
#include "paint/stamp_pixels.h"
#include "paint/strokes.h"
#include "profile.h"
#include "unit/overlay_fixture.h"

enum { kRuns = 200, kWarmUpRuns = 10 };

static double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1e6 / (double)frequency.QuadPart;
}

struct Timing {
    double median;
    double fastest;
};

// Runs the step kWarmUpRuns times untimed, then kRuns times timed, pumping
// messages between runs.
template <typename Step>
static Timing Measure(Step step)
{
    for (int i = 0; i < kWarmUpRuns; i++) {
        step();
        PumpMessages();
    }
    std::vector<double> times;
    for (int i = 0; i < kRuns; i++) {
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        step();
        GdiFlush();
        QueryPerformanceCounter(&to);
        times.push_back(Microseconds(from, to));
        PumpMessages();
    }
    std::sort(times.begin(), times.end());
    Timing timing = {(times[kRuns / 2 - 1] + times[kRuns / 2]) / 2, times[0]};
    return timing;
}

static void Report(const char *what, Timing timing)
{
    printf("  %-36s %9.1f %9.1f\n", what, timing.median, timing.fastest);
}

int main(int argc, char **argv)
{
    // "hiss": only the hiss requests, for a run without a sound device.
    if (argc > 1 && strcmp(argv[1], "hiss") == 0) {
        ProfileHiss();
        return 0;
    }
    // The test set-up: a private working folder, start-up's steps, a shown window.
    ResetForTest();
    if (!StartTestOverlay()) {
        fprintf(stderr, "could not create the overlay window\n");
        return 1;
    }
    HDC screen = GetDC(NULL);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(NULL, screen);
    int x = g_app.screenWidth / 2, y = g_app.screenHeight / 2;
    g_app.currentColour = RGB(200, 120, 40);

    printf("display %d x %d, %d bits per pixel\n", g_app.screenWidth, g_app.screenHeight, depth);
    char runs[40];
    snprintf(runs, sizeof runs, "microseconds, %d runs each", kRuns);
    printf("  %-36s %9s %9s\n", runs, "median", "fastest");
    for (int size : {13, 19, 25, 32}) {
        g_settings.spraySize = size;
        RECT square = DabSquare(x, y, size);
        char what[40];
        snprintf(what, sizeof what, "StampSpray, spray size %d", size);
        Report(what, Measure([&] { StampSpray(g_app.canvasDC, square); }));
    }

    static BYTE brush[kLargestSpraySize * kLargestSpraySize * 4];
    static BYTE stamp[kLargestSpraySize * kLargestSpraySize * 4];
    for (size_t i = 0; i < sizeof brush; i++)
        brush[i] = (BYTE)i;
    RECT square32 = DabSquare(x, y, 32);
    Timing fill = Measure([&] {
        FillStamp(stamp, brush, 32, BrushLayoutFor(depth, 0), g_app.currentColour, square32, g_app.screenWidth,
                  g_app.screenHeight);
    });
    Report("stamp pixels only, spray size 32", fill);

    Report("whole-window repaint", Measure([&] {
        InvalidateRect(g_app.overlay, NULL, FALSE);
        UpdateWindow(g_app.overlay);
    }));

    g_settings.spraySize = 19;
    g_settings.mute = 0;
    SetCursorPos(x, y);
    g_app.spraying = 1;
    Timing dab = Measure([&] {
        SendMessageA(g_app.overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        g_fake.soundCalls.clear();
    });
    g_app.spraying = 0;
    Report("dab step (WM_MOUSEMOVE), size 19", dab);

    g_settings.mirror = 1;
    Report("BuildCanCursor, mirrored", Measure([&] { BuildCanCursor(RGB(0, 0, 128)); }));
    g_settings.mirror = 0;
    Report("BuildCanCursor, not mirrored", Measure([&] { BuildCanCursor(RGB(255, 128, 0)); }));

    g_settings.spraySize = 19;
    ProfileDab(depth);
    ProfileHiss();

    EndTestOverlay();
    return 0;
}
