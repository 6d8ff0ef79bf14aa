/* The X side of the end-to-end tests, a Linux program that the Windows tests
   start under Wine (Wine runs a Linux program it is asked to start, but hands
   back no handle to wait on, so the answers come as files):
     xscreen grab X Y WIDTH HEIGHT FILE
       reads that part of the X server's screen, as a person sees it, and
       writes it to FILE as 0x00RRGGBB words, little-endian, row by row from
       the top; FILE appears whole, or not at all
     xscreen picture FILE
       shows the known picture in a window of its own over the whole screen,
       under windows mapped later, for as long as FILE exists (ten minutes
       at most); FILE.shown exists while the picture is on the screen
     xscreen pointer FILE
       reads the pointer's image as the X server shows it and writes it to
       FILE as 32-bit little-endian words: width, height, hot spot x and y,
       then the pixels as 0xAARRGGBB, row by row from the top */
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include "common/known_picture.h"

/* A channel of a pixel, widened to eight bits by repeating its top bits. */
static unsigned long Channel(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    int shift = 0, bits = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    while (mask & 1) {
        mask >>= 1;
        bits++;
    }
    unsigned long value = (pixel >> shift) & ((1ul << bits) - 1);
    if (bits >= 8)
        return value >> (bits - 8);
    unsigned long wide = 0;
    int filled = 0;
    for (; filled < 8; filled += bits)
        wide = (wide << bits) | value;
    return wide >> (filled - 8);
}

static int WriteWhole(const char *path, const unsigned char *bytes, size_t size)
{
    char part[4096];
    snprintf(part, sizeof part, "%s.part", path);
    FILE *file = fopen(part, "wb");
    if (!file)
        return 0;
    int written = fwrite(bytes, 1, size, file) == size;
    written = fclose(file) == 0 && written;
    if (written && rename(part, path) == 0)
        return 1;
    unlink(part);
    return 0;
}

static int Grab(Display *display, int x, int y, int width, int height, const char *path)
{
    Window root = DefaultRootWindow(display);
    XImage *image = XGetImage(display, root, x, y, (unsigned)width, (unsigned)height, AllPlanes,
                              ZPixmap);
    if (!image)
        return 0;
    size_t size = (size_t)width * (size_t)height * 4;
    unsigned char *bytes = malloc(size);
    if (!bytes) {
        XDestroyImage(image);
        return 0;
    }
    unsigned char *at = bytes;
    for (int row = 0; row < height; row++)
        for (int column = 0; column < width; column++) {
            unsigned long pixel = XGetPixel(image, column, row);
            *at++ = (unsigned char)Channel(pixel, image->blue_mask);
            *at++ = (unsigned char)Channel(pixel, image->green_mask);
            *at++ = (unsigned char)Channel(pixel, image->red_mask);
            *at++ = 0;
        }
    XDestroyImage(image);
    int written = WriteWhole(path, bytes, size);
    free(bytes);
    return written;
}

static void PutWord(unsigned char *at, unsigned long word)
{
    for (int i = 0; i < 4; i++)
        at[i] = (unsigned char)(word >> (8 * i));
}

static int Pointer(Display *display, const char *path)
{
    XFixesCursorImage *image = XFixesGetCursorImage(display);
    if (!image)
        return 0;
    size_t count = (size_t)image->width * image->height;
    unsigned char *bytes = malloc((4 + count) * 4);
    int written = 0;
    if (bytes) {
        PutWord(bytes, image->width);
        PutWord(bytes + 4, image->height);
        PutWord(bytes + 8, image->xhot);
        PutWord(bytes + 12, image->yhot);
        for (size_t i = 0; i < count; i++)
            PutWord(bytes + 16 + 4 * i, image->pixels[i] & 0xFFFFFFFFul);
        written = WriteWhole(path, bytes, (4 + count) * 4);
        free(bytes);
    }
    XFree(image);
    return written;
}

static unsigned long AllocatedPixel(Display *display, unsigned long rgb)
{
    XColor colour;
    memset(&colour, 0, sizeof colour);
    colour.red = (unsigned short)(((rgb >> 16) & 0xFF) * 257);
    colour.green = (unsigned short)(((rgb >> 8) & 0xFF) * 257);
    colour.blue = (unsigned short)((rgb & 0xFF) * 257);
    colour.flags = DoRed | DoGreen | DoBlue;
    XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    return colour.pixel;
}

static void DrawPicture(Display *display, Window window, GC gc, int width, int height)
{
    for (int band = 0; band < 8; band++)
        for (int half = 0; half < 2; half++) {
            int left = band * width / 8, top = half * height / 2;
            XSetForeground(display, gc, AllocatedPixel(display, KnownPictureRgb(left, top, width,
                                                                                height)));
            XFillRectangle(display, window, gc, left, top,
                           (unsigned)((band + 1) * width / 8 - left),
                           (unsigned)((half + 1) * height / 2 - top));
        }
    XFlush(display);
}

static int HasWindowManager(Display *display)
{
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True), type;
    int format;
    unsigned long count = 0, after;
    unsigned char *value = NULL;
    if (check != None)
        XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &value);
    if (value)
        XFree(value);
    return count == 1;
}

static int Picture(Display *display, const char *path)
{
    char shown[4096];
    snprintf(shown, sizeof shown, "%s.shown", path);
    int screen = DefaultScreen(display);
    int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);
    XSetWindowAttributes attributes;
    memset(&attributes, 0, sizeof attributes);
    /* Without a window manager, placed where it is asked for; under one, the
       desktop, which it keeps below every other window. */
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom desktop = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    int managed = HasWindowManager(display);
    attributes.override_redirect = !managed;
    attributes.event_mask = ExposureMask;
    Window window = XCreateWindow(display, DefaultRootWindow(display), 0, 0, (unsigned)width,
                                  (unsigned)height, 0, CopyFromParent, InputOutput, CopyFromParent,
                                  CWOverrideRedirect | CWEventMask, &attributes);
    if (managed)
        XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                        (unsigned char *)&desktop, 1);
    GC gc = XCreateGC(display, window, 0, NULL);
    XMapWindow(display, window);
    for (int tick = 0; tick < 10 * 60 * 50 && access(path, F_OK) == 0; tick++) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == Expose && event.xexpose.count == 0) {
                DrawPicture(display, window, gc, width, height);
                XSync(display, False);
                if (access(shown, F_OK) != 0)
                    WriteWhole(shown, (const unsigned char *)"", 0);
            }
        }
        usleep(20000);
    }
    XDestroyWindow(display, window);
    XSync(display, False);
    unlink(shown);
    XCloseDisplay(display);
    return 1;
}

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xscreen: cannot open the display\n");
        return 1;
    }
    if (argc == 7 && !strcmp(argv[1], "grab"))
        return Grab(display, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), argv[6])
                   ? 0
                   : 1;
    if (argc == 3 && !strcmp(argv[1], "picture"))
        return Picture(display, argv[2]) ? 0 : 1;
    if (argc == 3 && !strcmp(argv[1], "pointer"))
        return Pointer(display, argv[2]) ? 0 : 1;
    fprintf(stderr, "usage: xscreen grab X Y WIDTH HEIGHT FILE | xscreen picture FILE"
                    " | xscreen pointer FILE\n");
    return 2;
}
