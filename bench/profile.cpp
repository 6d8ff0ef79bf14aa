// Where the time of one dab step goes: the calls of a dab step made one by
// one in the same order, each timed on its own, and the hiss requests.
#include "profile.h"
#include <windows.h>
#include <mmsystem.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "core/state.h"
#include "paint/canvas.h"
#include "paint/device_format.h"
#include "paint/stamp_pixels.h"
#include "paint/strokes.h"
#include "unit/overlay_fixture.h"

enum { kProfileRuns = 300 };

static LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

static double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1e6 / (double)frequency.QuadPart;
}

static double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

static const char *const kSteps[] = {
    "GetCursorPos",
    "LoadBitmapA (brush)",
    "GetBitmapBits",
    "CreateCompatibleDC",
    "CreateDIBSection + SelectObject",
    "brush depth (GetObjectA)",
    "16-bit layout query (GetDIBits x2)",
    "pixel loop (FillStamp)",
    "AlphaBlend onto the canvas",
    "GetDC (window)",
    "onto the window (16 bits: redrawn)",
    "ReleaseDC",
    "DeleteDC + DeleteObject x2",
    "InvalidateRect",
    "UpdateWindow (paint handler)",
};
enum { kStepCount = sizeof kSteps / sizeof kSteps[0] };

// One dab step at the square, the calls of the stroke and the stamp in
// their order, with the time after each call written to marks[1..].
static void TimedDab(HWND hwnd, RECT square, int size, int depth, LARGE_INTEGER *marks)
{
    int m = 0;
    marks[m++] = Now();
    POINT pointer;
    GetCursorPos(&pointer);
    marks[m++] = Now();
    HBITMAP brush = LoadBitmapA(g_app.instance, MAKEINTRESOURCEA(BrushIdForSize(size)));
    marks[m++] = Now();
    BYTE brushBits[kLargestSpraySize * kLargestSpraySize * 4] = {};
    GetBitmapBits(brush, size * size * 4, brushBits);
    marks[m++] = Now();
    HDC stampDC = CreateCompatibleDC(g_app.canvasDC);
    marks[m++] = Now();
    BITMAPINFO info;
    FillPaintBitmapInfo(&info, size, size);
    void *stampBits = NULL;
    HBITMAP stampBitmap = CreateDIBSection(stampDC, &info, DIB_RGB_COLORS, &stampBits, NULL, 0);
    SelectObject(stampDC, stampBitmap);
    marks[m++] = Now();
    BITMAP brushInfo;
    int deviceDepth = GetObjectA(brush, sizeof brushInfo, &brushInfo) ? brushInfo.bmBitsPixel : 0;
    marks[m++] = Now();
    DWORD redMask = deviceDepth == 16 ? DeviceRedMask(g_app.canvasDC, brush) : 0;
    marks[m++] = Now();
    FillStamp((BYTE *)stampBits, brushBits, size, BrushLayoutFor(depth, redMask), g_app.currentColour, square,
              g_app.screenWidth, g_app.screenHeight);
    marks[m++] = Now();
    AlphaBlend(g_app.canvasDC, square.left, square.top, size, size, stampDC, 0, 0, size, size, PaintBlend());
    marks[m++] = Now();
    HDC window = GetDC(hwnd);
    marks[m++] = Now();
    if (deviceDepth == 16 && g_app.backdropDC)
        DrawCanvasOverBackdrop(window, square);
    else
        AlphaBlend(window, square.left, square.top, size, size, stampDC, 0, 0, size, size, PaintBlend());
    marks[m++] = Now();
    ReleaseDC(hwnd, window);
    marks[m++] = Now();
    DeleteDC(stampDC);
    DeleteObject(stampBitmap);
    DeleteObject(brush);
    marks[m++] = Now();
    InvalidateRect(hwnd, &square, FALSE);
    marks[m++] = Now();
    UpdateWindow(hwnd);
    marks[m++] = Now();
}

void ProfileDab(int depth)
{
    HWND hwnd = g_app.overlay;
    int size = g_settings.spraySize = 19;
    RECT square = DabSquare(g_app.screenWidth / 2, g_app.screenHeight / 2, size);
    std::vector<double> times[kStepCount];
    std::vector<double> totals;
    LARGE_INTEGER marks[kStepCount + 1];
    for (int run = 0; run < kProfileRuns + 10; run++) {
        TimedDab(hwnd, square, size, depth, marks);
        PumpMessages();
        if (run < 10)
            continue;
        for (int s = 0; s < kStepCount; s++)
            times[s].push_back(Microseconds(marks[s], marks[s + 1]));
        totals.push_back(Microseconds(marks[0], marks[kStepCount]));
    }
    printf("  one dab step, spray size 19, by call: median us of %d runs\n", kProfileRuns);
    double sum = 0;
    for (int s = 0; s < kStepCount; s++) {
        double median = Median(times[s]);
        sum += median;
        printf("    %-38s %8.1f\n", kSteps[s], median);
    }
    printf("    %-38s %8.1f (whole step, median %.1f)\n", "sum of the medians", sum, Median(totals));
}

// The hiss requests of a stroke, with the real PlaySoundA: the first one,
// which starts the hiss, and the ones after it while the hiss plays.
void ProfileHiss()
{
    const DWORD start = SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_NOSTOP;
    std::vector<double> first, again, stop;
    for (int stroke = 0; stroke < 21; stroke++) {
        LARGE_INTEGER a = Now();
        PlaySoundA("IDW_SPRAY", NULL, start);
        LARGE_INTEGER b = Now();
        // Give the hiss a moment to start, as a stroke's next move would.
        Sleep(20);
        for (int i = 0; i < 50; i++) {
            LARGE_INTEGER c = Now();
            PlaySoundA("IDW_SPRAY", NULL, start);
            LARGE_INTEGER d = Now();
            again.push_back(Microseconds(c, d));
        }
        LARGE_INTEGER e = Now();
        PlaySoundA(NULL, NULL, SND_NODEFAULT);
        LARGE_INTEGER f = Now();
        Sleep(20);
        // The very first request of the process loads the sound system.
        if (stroke == 0)
            printf("  hiss: the first request of the process %.1f us\n", Microseconds(a, b));
        else
            first.push_back(Microseconds(a, b));
        stop.push_back(Microseconds(e, f));
    }
    printf("  hiss: first request of a stroke %.1f us, request while playing %.1f us, stop %.1f us"
           " (medians)\n",
           Median(first), Median(again), Median(stop));
}
