// The pixel layout of 16-bit device bitmaps, which the platform may keep
// as 5-5-5 even on a 5-6-5 display (Wine does).
#pragma once
#include <windows.h>

enum { kRedMask555 = 0x7C00 };

// The red mask a bitmap header describes, given the mask that follows it:
// 0x7C00 for 16 bits without masks, 0 when the header is not 16 bits.
DWORD RedMaskOfHeader(const BITMAPINFOHEADER &header, DWORD redMask);

// The red mask of a 16-bit device bitmap as seen through the device context,
// or 0 when the platform does not tell.
DWORD DeviceRedMask(HDC dc, HBITMAP bitmap);
