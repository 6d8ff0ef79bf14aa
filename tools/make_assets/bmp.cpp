// BMP writing: the DIB header and the file header in front of a packed DIB.

#include "make_assets.h"

// 40-byte BITMAPINFOHEADER, bottom-up rows, BI_RGB.
void putInfoHeader(Bytes& b, int w, int h, int bpp, std::uint32_t imageSize,
                   std::int32_t pelsPerMetre) {
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(w));
    put32(b, static_cast<std::uint32_t>(h));
    put16(b, 1);          // planes
    put16(b, bpp);
    put32(b, 0);          // BI_RGB
    put32(b, imageSize);
    put32(b, static_cast<std::uint32_t>(pelsPerMetre));
    put32(b, static_cast<std::uint32_t>(pelsPerMetre));
    put32(b, 0);          // colours used: all for the bit depth
    put32(b, 0);          // colours important: all
}

// A .bmp file is the 14-byte BITMAPFILEHEADER followed by the packed DIB;
// windres drops the file header again when it builds the resource.
Bytes bmpFile(const Bytes& dib, std::uint32_t colourTableBytes) {
    Bytes f;
    put8(f, 'B'); put8(f, 'M');
    put32(f, static_cast<std::uint32_t>(14 + dib.size()));
    put16(f, 0); put16(f, 0);
    put32(f, 14 + 40 + colourTableBytes);
    f.insert(f.end(), dib.begin(), dib.end());
    return f;
}
