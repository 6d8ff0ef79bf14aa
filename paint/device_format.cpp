// Asking a device bitmap for its 16-bit colour masks.
#include "paint/device_format.h"

DWORD RedMaskOfHeader(const BITMAPINFOHEADER &header, DWORD redMask)
{
    if (header.biBitCount != 16)
        return 0;
    // Sixteen bits without masks are 5-5-5 by the bitmap conventions.
    if (header.biCompression == BI_RGB)
        return kRedMask555;
    return header.biCompression == BI_BITFIELDS ? redMask : 0;
}

DWORD DeviceRedMask(HDC dc, HBITMAP bitmap)
{
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    // The first call fills in the header; the second, given a 16-bit header
    // with masks, fills in the masks.
    if (!GetDIBits(dc, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS))
        return 0;
    if (info.header.biBitCount == 16 && info.header.biCompression == BI_BITFIELDS
        && !GetDIBits(dc, bitmap, 0, 0, NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS))
        return 0;
    return RedMaskOfHeader(info.header, info.masks[0]);
}
