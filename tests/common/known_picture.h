/* The known picture that the end-to-end tests show under the overlay: eight
   vertical bands across the screen, the lower half of each band at half the
   brightness. Plain C, for the Windows tests and the X-side helper alike. */
#pragma once

static const unsigned char kKnownPictureBands[8][3] = {
    {200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {220, 220, 60},
    {60, 220, 220}, {220, 60, 220}, {250, 250, 250}, {100, 100, 100},
};

/* The red, green and blue of the known picture at (x, y) of a screen of the
   given size, as 0xRRGGBB. */
static inline unsigned long KnownPictureRgb(int x, int y, int width, int height)
{
    const unsigned char *band = kKnownPictureBands[x * 8 / width];
    int shift = y >= height / 2 ? 1 : 0;
    return ((unsigned long)(band[0] >> shift) << 16) | ((unsigned long)(band[1] >> shift) << 8)
           | (unsigned long)(band[2] >> shift);
}
