// The pixel layout of 16-bit device bitmaps, which the platform may keep
// as 5-5-5 even on a 5-6-5 display (Wine does).
#pragma once
#include <windows.h>

enum { kRedMask555 = 0x7C00 };
// The usual layout of 16-bit displays, X servers' and Windows' alike.
enum { kRedMask565 = 0xF800, kGreenMask565 = 0x07E0, kBlueMask565 = 0x001F };

// The red mask a bitmap header describes, given the mask that follows it:
// 0x7C00 for 16 bits without masks, 0 when the header is not 16 bits.
DWORD RedMaskOfHeader(const BITMAPINFOHEADER &header, DWORD redMask);

// The red mask of a 16-bit device bitmap as seen through the device context,
// or 0 when the platform does not tell.
DWORD DeviceRedMask(HDC dc, HBITMAP bitmap);

// A 16-bit DIB section with the given masks, bottom-up; null on failure.
HBITMAP Create16BitSection(HDC dc, int width, int height, DWORD red, DWORD green, DWORD blue);
