// Building the spray-can cursor: choose, tint and mirror the can, join it
// with its mask, and make it the pointer.
#include "colour/cursor.h"
#include "colour/can_image.h"
#include "core/display_scale.h"
#include "core/state.h"

static const COLORREF kTintKey = RGB(255, 0, 0);

HCURSOR MakeCursor(HBITMAP colour, HBITMAP mask, int hotSpotX, int hotSpotY)
{
    ICONINFO info = {};
    info.fIcon = FALSE;
    info.xHotspot = (DWORD)hotSpotX;
    info.yHotspot = (DWORD)hotSpotY;
    info.hbmMask = mask;
    info.hbmColor = colour;
    return (HCURSOR)CreateIconIndirect(&info);
}

// The platform forbids destroying a cursor while it is in use, so the one
// shown is kept until its successor has replaced it.
static void ShowCursorInUse(HCURSOR cursor)
{
    HCURSOR previous = g_app.cursor;
    SetCursor(cursor);
    g_app.cursor = cursor;
    if (previous && previous != cursor)
        DestroyCursor(previous);
}

void ReleaseCanCursor()
{
    if (g_app.cursor && GetCursor() == g_app.cursor)
        SetCursor(NULL);
    if (g_app.cursor)
        DestroyCursor(g_app.cursor);
    g_app.cursor = NULL;
}

static void DeleteBitmapAndPalette(HBITMAP bitmap, HPALETTE palette)
{
    if (bitmap)
        DeleteObject(bitmap);
    if (palette)
        DeleteObject(palette);
}

int BuildCanCursor(COLORREF colour)
{
    HPALETTE canPalette = NULL, maskPalette = NULL;
    HBITMAP mask = NULL;
    HCURSOR cursor = NULL;
    int hotSpotX = kHotSpotX;
    int edge;

    HBITMAP can = LoadDibResource(g_app.instance, CanImageFor(colour), &canPalette);
    if (!can)
        goto done;
    mask = LoadDibResource(g_app.instance, IDB_CAN_MASK, &maskPalette);
    if (!mask)
        goto done;
    // Tint first, then mirror: the tint key is found wherever it lies.
    if (TintImage(can, kTintKey, colour) == -1)
        goto done;
    if (g_settings.mirror) {
        if (!MirrorImage(can) || !MirrorImage(mask))
            goto done;
        hotSpotX = kMirroredHotSpotX;
    }
    // As large as the system's own pointers; at their usual 32 pixels, and
    // where they cannot be scaled, the images are used as they are.
    edge = ScaleCanImages(&can, &mask, CursorEdgeForDpi(g_app.dpi));
    // A failed creation still replaces the pointer, by none at all.
    cursor = MakeCursor(can, mask, ScaledHotSpot(hotSpotX, edge), ScaledHotSpot(kHotSpotY, edge));
    ShowCursorInUse(cursor);
done:
    DeleteBitmapAndPalette(can, canPalette);
    DeleteBitmapAndPalette(mask, maskPalette);
    return cursor != NULL;
}
