// Asking a device bitmap for its 16-bit colour masks.
#include "paint/device_format.h"

DWORD DeviceRedMask(HDC dc, HBITMAP bitmap)
{
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    // The first call fills in the header; the second, given a 16-bit header,
    // fills in the colour masks.
    if (!GetDIBits(dc, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS)
        || info.header.biBitCount != 16 || info.header.biCompression != BI_BITFIELDS)
        return 0;
    if (!GetDIBits(dc, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS))
        return 0;
    return info.masks[0];
}
