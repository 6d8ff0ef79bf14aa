// Canvas and brush read-back for the stamp tests.
#include "unit/stamp_helpers.h"
#include "core/state.h"

static const DWORD *CanvasBits()
{
    DIBSECTION section;
    if (GetObjectA(g_app.canvasBitmap, sizeof section, &section) != (int)sizeof section)
        return NULL;
    GdiFlush();
    return (const DWORD *)section.dsBm.bmBits;
}

DWORD CanvasPixel(int x, int y)
{
    const DWORD *bits = CanvasBits();
    if (!bits)
        return 0xDEADBEEF;
    // Bottom-up: the first row in memory is the bottom row of the screen.
    return bits[(size_t)(g_app.screenHeight - 1 - y) * g_app.screenWidth + x];
}

size_t PaintedCanvasPixels()
{
    const DWORD *bits = CanvasBits();
    if (!bits)
        return (size_t)-1;
    size_t count = (size_t)g_app.screenWidth * g_app.screenHeight;
    size_t painted = 0;
    for (size_t i = 0; i < count; i++)
        painted += bits[i] != 0;
    return painted;
}

// The colour masks of a 16-bit device bitmap as the platform reports them;
// masks are left as they are when it does not tell.
static void ColourMasks(HBITMAP bitmap, DWORD masks[3])
{
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    HDC screen = GetDC(NULL);
    bool known = GetDIBits(screen, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS)
                 && info.header.biBitCount == 16
                 && GetDIBits(screen, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS)
                 && info.masks[0] != 0;
    ReleaseDC(NULL, screen);
    for (int i = 0; known && i < 3; i++)
        masks[i] = info.masks[i];
}

// One colour field of a word, scaled to 0..255 with truncation.
static DWORD Widen(WORD word, DWORD mask)
{
    int shift = 0;
    while (!((mask >> shift) & 1))
        shift++;
    DWORD top = mask >> shift;
    return ((word & mask) >> shift) * 255 / top;
}

std::vector<DWORD> ReadBrush(HINSTANCE module, int resourceId, int size)
{
    std::vector<DWORD> pixels;
    HBITMAP brush = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
    if (!brush)
        return pixels;
    std::vector<BYTE> raw((size_t)size * size * 4);
    LONG copied = GetBitmapBits(brush, (LONG)raw.size(), raw.data());
    BITMAP info;
    GetObjectA(brush, sizeof info, &info);
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    if (info.bmBitsPixel == 16)
        ColourMasks(brush, masks);
    DeleteObject(brush);
    if (copied == 0 || info.bmWidth != size || info.bmHeight != size)
        return pixels;
    for (int i = 0; i < size * size; i++) {
        if (info.bmBitsPixel == 32) {
            const BYTE *p = &raw[(size_t)i * 4];
            pixels.push_back((DWORD)p[2] << 16 | (DWORD)p[1] << 8 | p[0]);
        } else if (info.bmBitsPixel == 16) {
            WORD p = (WORD)(raw[(size_t)i * 2] | raw[(size_t)i * 2 + 1] << 8);
            pixels.push_back(Widen(p, masks[0]) << 16 | Widen(p, masks[1]) << 8 | Widen(p, masks[2]));
        } else {
            return std::vector<DWORD>();
        }
    }
    return pixels;
}

DWORD WhitePaint(DWORD brushPixel)
{
    return (brushPixel & 0x00FF0000) << 8 | brushPixel;
}

// A packed bitmap resource: the header, then 24-bit rows from the bottom up.
static std::vector<BYTE> GreyBitmapResource(const std::vector<BYTE> &rowLevels)
{
    int size = (int)rowLevels.size();
    int stride = (size * 3 + 3) & ~3;
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + (size_t)stride * size);
    BITMAPINFOHEADER *header = (BITMAPINFOHEADER *)data.data();
    header->biSize = sizeof *header;
    header->biWidth = size;
    header->biHeight = size;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    BYTE *rows = data.data() + sizeof *header;
    for (int fileRow = 0; fileRow < size; fileRow++) {
        BYTE level = rowLevels[size - 1 - fileRow];
        for (int i = 0; i < size * 3; i++)
            rows[(size_t)fileRow * stride + i] = level;
    }
    return data;
}

HMODULE LoadBrushModule(int resourceId, const std::vector<BYTE> &rowLevels, std::string *path)
{
    char self[MAX_PATH], folder[MAX_PATH], copy[MAX_PATH];
    if (!GetModuleFileNameA(NULL, self, MAX_PATH) || !GetTempPathA(MAX_PATH, folder)
        || !GetTempFileNameA(folder, "brs", 0, copy))
        return NULL;
    HMODULE module = NULL;
    std::vector<BYTE> image = GreyBitmapResource(rowLevels);
    HANDLE update = NULL;
    BOOL replaced = FALSE;
    if (!CopyFileA(self, copy, FALSE))
        goto done;
    update = BeginUpdateResourceA(copy, FALSE);
    if (!update)
        goto done;
    replaced = UpdateResourceA(update, (LPCSTR)RT_BITMAP, MAKEINTRESOURCEA(resourceId),
                               MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), image.data(),
                               (DWORD)image.size());
    if (!EndUpdateResourceA(update, !replaced) || !replaced)
        goto done;
    module = LoadLibraryExA(copy, NULL, LOAD_LIBRARY_AS_DATAFILE);
done:
    // A failed copy leaves nothing behind in the temporary folder.
    if (module)
        *path = copy;
    else
        DeleteFileA(copy);
    return module;
}

void FreeBrushModule(HMODULE module, const std::string &path)
{
    if (module)
        FreeLibrary(module);
    if (!path.empty())
        DeleteFileA(path.c_str());
}
