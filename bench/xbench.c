/* The outside-in half of "make bench": drives a program's window from the X
 * side with XTest, as a user would, and measures what the user feels.
 *
 *   xbench NAME TITLE PROGRAM_PID WINESERVER_PID XVFB_PID [KEYS]
 *
 * Waits for a viewable top-level window named TITLE, taps KEYS (letters),
 * then measures:
 *   - press-to-pixel: button press until the screen under the pointer changes;
 *   - stroke-step: with the button held, a move until the screen at the new
 *     place changes;
 *   - CPU per move: 2000 moves at 1000 per second with the button held, then
 *     one last move to a fresh place, until its pixels show; the CPU of the
 *     program, its wineserver and the X server over that span (each process's
 *     own totals, which keep the time of threads that have ended).
 * Prints one line: "RESULT NAME" and the figures (see the format below).
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum {
    kPressSamples = 25,
    kStepSamples = 50,
    kMoves = 2000,
    kMovePeriodNs = 1000000,
    kBox = 20,              /* edge of the square watched for a change */
    kPixelTimeoutMs = 3000, /* a change slower than this counts as missed */
};

static Display *dpy;
static Window root;
static int screenWidth, screenHeight;

static double NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void SleepMs(double ms)
{
    struct timespec t = {(time_t)(ms / 1000), (long)((ms - (time_t)(ms / 1000) * 1000) * 1e6)};
    nanosleep(&t, NULL);
}

/* User plus system time of a process in seconds, its ended threads and
 * waited-for children included; 0 when it cannot be read. */
static double ProcessCpu(int pid)
{
    char path[64], text[1024];
    snprintf(path, sizeof path, "/proc/%d/stat", pid);
    FILE *file = fopen(path, "r");
    if (!file)
        return 0;
    size_t n = fread(text, 1, sizeof text - 1, file);
    fclose(file);
    text[n] = 0;
    /* The command name may hold spaces; the fields start after its ')'. */
    char *p = strrchr(text, ')');
    if (!p)
        return 0;
    unsigned long long utime, stime;
    long long cutime, cstime;
    if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu %lld %lld", &utime, &stime,
               &cutime, &cstime) != 4)
        return 0;
    return (double)(utime + stime + cutime + cstime) / sysconf(_SC_CLK_TCK);
}

static int FindTitledWindow(Window parent, const char *title)
{
    Window rootReturn, parentReturn, *children = NULL;
    unsigned int count = 0;
    int found = 0;
    if (!XQueryTree(dpy, parent, &rootReturn, &parentReturn, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; i++) {
        char *name = NULL;
        XWindowAttributes attributes;
        if (XFetchName(dpy, children[i], &name) && name) {
            found = strcmp(name, title) == 0 && XGetWindowAttributes(dpy, children[i], &attributes)
                    && attributes.map_state == IsViewable;
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

/* The pixels of the watched square around (x, y). */
static XImage *Grab(int x, int y)
{
    int left = x - kBox / 2, top = y - kBox / 2;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (left + kBox > screenWidth)
        left = screenWidth - kBox;
    if (top + kBox > screenHeight)
        top = screenHeight - kBox;
    return XGetImage(dpy, root, left, top, kBox, kBox, AllPlanes, ZPixmap);
}

static int SameImage(XImage *a, XImage *b)
{
    return a && b && memcmp(a->data, b->data, (size_t)a->bytes_per_line * a->height) == 0;
}

/* Milliseconds from `since` until the square around (x, y) differs from
 * `before`, polled every `pollMs`; -1 when it does not change in time. */
static double WaitForChange(XImage *before, int x, int y, double since, double pollMs)
{
    for (;;) {
        XImage *now = Grab(x, y);
        int same = SameImage(before, now);
        if (now)
            XDestroyImage(now);
        double elapsed = NowMs() - since;
        if (!same)
            return elapsed;
        if (elapsed > kPixelTimeoutMs)
            return -1;
        if (pollMs > 0)
            SleepMs(pollMs);
    }
}

static void MovePointer(int x, int y)
{
    XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
    XFlush(dpy);
}

static void Button(int down)
{
    XTestFakeButtonEvent(dpy, 1, down ? True : False, CurrentTime);
    XFlush(dpy);
}

static void TapKey(char letter)
{
    char name[2] = {letter, 0};
    KeyCode code = XKeysymToKeycode(dpy, XStringToKeysym(name));
    if (!code)
        return;
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XFlush(dpy);
    SleepMs(30);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XSync(dpy, False);
    SleepMs(100);
}

/* Waits until the process has used no CPU for a while, within a bound. */
static void WaitUntilIdle(int pid, double boundMs)
{
    double start = NowMs(), last = ProcessCpu(pid), quietSince = start;
    while (NowMs() - start < boundMs) {
        SleepMs(50);
        double now = ProcessCpu(pid);
        if (now != last) {
            last = now;
            quietSince = NowMs();
        } else if (NowMs() - quietSince >= 300) {
            return;
        }
    }
}

static int CompareDoubles(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

/* Median, 10th and 90th percentile of the measured samples (-1 = missed). */
struct Spread {
    double median, low, high;
    int missed;
};

static struct Spread SpreadOf(double *samples, int count)
{
    struct Spread spread = {-1, -1, -1, 0};
    double kept[count > 0 ? count : 1];
    int n = 0;
    for (int i = 0; i < count; i++) {
        if (samples[i] < 0)
            spread.missed++;
        else
            kept[n++] = samples[i];
    }
    if (n == 0)
        return spread;
    qsort(kept, n, sizeof kept[0], CompareDoubles);
    spread.median = n % 2 ? kept[n / 2] : (kept[n / 2 - 1] + kept[n / 2]) / 2;
    spread.low = kept[n / 10];
    spread.high = kept[(n * 9) / 10 < n ? (n * 9) / 10 : n - 1];
    return spread;
}

/* One press at a fresh place: milliseconds until its pixels change. */
static double PressSample(int x, int y)
{
    MovePointer(x, y);
    XSync(dpy, False);
    SleepMs(40);
    XImage *before = Grab(x, y);
    double start = NowMs();
    Button(1);
    double ms = WaitForChange(before, x, y, start, 0);
    Button(0);
    XSync(dpy, False);
    SleepMs(60);
    if (before)
        XDestroyImage(before);
    return ms;
}

/* The path of the timed moves: rows of 2-pixel steps across the screen. */
static void PathPoint(int i, int *x, int *y)
{
    int width = screenWidth - 120;
    int along = (i * 2) % (2 * width);
    int row = (i * 2) / width;
    *x = 60 + (along < width ? along : 2 * width - along);
    *y = 270 + row * 30;
}

int main(int argc, char **argv)
{
    if (argc < 6) {
        fprintf(stderr, "usage: %s NAME TITLE PROGRAM_PID WINESERVER_PID XVFB_PID [KEYS]\n", argv[0]);
        return 2;
    }
    const char *name = argv[1], *title = argv[2];
    int pids[3] = {atoi(argv[3]), atoi(argv[4]), atoi(argv[5])};
    const char *keys = argc > 6 ? argv[6] : "";

    dpy = XOpenDisplay(NULL);
    int event, error, major, minor;
    if (!dpy || !XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
        fprintf(stderr, "xbench: no display or no XTest\n");
        return 1;
    }
    root = DefaultRootWindow(dpy);
    screenWidth = DisplayWidth(dpy, DefaultScreen(dpy));
    screenHeight = DisplayHeight(dpy, DefaultScreen(dpy));

    double start = NowMs();
    while (!FindTitledWindow(root, title)) {
        if (NowMs() - start > 600000) {
            fprintf(stderr, "xbench: no window \"%s\"\n", title);
            return 1;
        }
        SleepMs(100);
    }
    WaitUntilIdle(pids[0], 60000);
    /* Keys first: the colour must differ from the bare screen, which is
     * black at depth 16, before any press is timed. */
    for (const char *k = keys; *k; k++)
        TapKey(*k);
    WaitUntilIdle(pids[0], 5000);

    /* The very first press of the process pays for one-off loading (the
     * sound system, say); it is reported apart. A second one warms up. */
    double firstPress = PressSample(30, 30);
    PressSample(30, 740);

    double press[kPressSamples];
    for (int i = 0; i < kPressSamples; i++)
        press[i] = PressSample(40 + i * 38, 60);

    double step[kStepSamples];
    MovePointer(40, 120);
    XSync(dpy, False);
    SleepMs(40);
    Button(1);
    SleepMs(100);
    for (int i = 0; i < kStepSamples; i++) {
        int x = 40 + (i % 25) * 38, y = 120 + (i / 25) * 60;
        XImage *before = Grab(x, y);
        double since = NowMs();
        MovePointer(x, y);
        step[i] = WaitForChange(before, x, y, since, 0);
        if (before)
            XDestroyImage(before);
        SleepMs(15);
    }
    Button(0);
    XSync(dpy, False);
    WaitUntilIdle(pids[0], 5000);

    /* The timed moves: the button held, one move a millisecond on an
     * absolute schedule, then a last move to a fresh place whose pixels mark
     * the moment the program has caught up. */
    int x, y, lastX = screenWidth / 2, lastY = screenHeight - 40;
    PathPoint(0, &x, &y);
    MovePointer(x, y);
    XSync(dpy, False);
    SleepMs(40);
    XImage *lastBefore = Grab(lastX, lastY);
    Button(1);
    SleepMs(100);
    double cpuBefore[3];
    for (int p = 0; p < 3; p++)
        cpuBefore[p] = ProcessCpu(pids[p]);
    struct timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    double movesStart = NowMs();
    for (int i = 1; i <= kMoves; i++) {
        next.tv_nsec += kMovePeriodNs;
        if (next.tv_nsec >= 1000000000) {
            next.tv_nsec -= 1000000000;
            next.tv_sec++;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, NULL);
        PathPoint(i, &x, &y);
        XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
        XFlush(dpy);
    }
    double sendMs = NowMs() - movesStart;
    double since = NowMs();
    MovePointer(lastX, lastY);
    double catchUp = WaitForChange(lastBefore, lastX, lastY, since, 0.5);
    double cpuAfter[3];
    for (int p = 0; p < 3; p++)
        cpuAfter[p] = ProcessCpu(pids[p]);
    double spanMs = NowMs() - movesStart;
    Button(0);
    XSync(dpy, False);
    if (lastBefore)
        XDestroyImage(lastBefore);

    double perMove[3], total = 0;
    for (int p = 0; p < 3; p++) {
        perMove[p] = (cpuAfter[p] - cpuBefore[p]) * 1e6 / kMoves;
        total += perMove[p];
    }
    struct Spread pressSpread = SpreadOf(press, kPressSamples);
    struct Spread stepSpread = SpreadOf(step, kStepSamples);
    /* RESULT name first-press press(median low high missed) step(median low
     * high missed) cpu-per-move(total program wineserver xserver, us)
     * send-ms catch-up-ms span-ms */
    printf("RESULT %s %.2f %.2f %.2f %.2f %d %.2f %.2f %.2f %d %.0f %.0f %.0f %.0f %.0f %.1f %.0f\n", name,
           firstPress, pressSpread.median, pressSpread.low, pressSpread.high, pressSpread.missed,
           stepSpread.median, stepSpread.low, stepSpread.high, stepSpread.missed, total, perMove[0],
           perMove[1], perMove[2], sendMs, catchUp, spanMs);
    XCloseDisplay(dpy);
    return 0;
}
