// The spray can: its pixel grid, the dark and light images and the cursor
// mask made from it, and the checks on each.

#include "make_assets.h"

namespace {

// Spray can, 32 x 32, as displayed (top row first).
//   '.'  black, see-through in the cursor mask
//   '#'  black outline, opaque (includes the nozzle and the inner black lines)
//   'R'  pure red part of the can
//   'W'  white line (panel frame and strip); pure red in the light-colour image
//   'o'  pure red mist dot
// The nozzle is row 9, columns 7..9; the hot spot (6, 9) sits just in front
// of it, in the middle of the mist.
const char* const kCan[32] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "..o.o.o.o.o.o...................",
    "...o.o.o.o.o....................",
    "..o.o.o.........................",
    ".o.o.o.#######..................",
    "..o.o.o..######.................",
    "...o.o..##RRRR##................",
    "..o.o.o.##RRRRR##...............",
    "...o.o..##RRRRR###..............",
    "....o.o.##RRRR##W##.............",
    ".....o..##RRR##WRW##............",
    ".......##RRR##WRRRW##...........",
    "........##R###WRRRRW##..........",
    ".........###W##WRRRRW##.........",
    "..........##RW##WRRRRW##........",
    "...........##RW##WRRRRW##.......",
    "............##RW##WRRRRW##......",
    ".............##RW##WRRRRW##.....",
    "..............##RW##WRRRW##.....",
    "...............##RW##WRRW##.....",
    "................##RW##WW###.....",
    ".................##RW#####......",
    "..................########......",
    "...................#####........",
    "................................",
    "................................",
    "................................",
};

char canAt(int x, int y) {
    if (x < 0 || y < 0 || x > 31 || y > 31) return '.';
    return kCan[y][x];
}

bool opaqueAt(int x, int y) { return canAt(x, y) != '.'; }

struct Rgb { int r, g, b; };

Rgb canColour(char c, bool light) {
    switch (c) {
    case 'R': case 'o': return {255, 0, 0};
    case 'W': return light ? Rgb{255, 0, 0} : Rgb{255, 255, 255};
    default: return {0, 0, 0};
    }
}

}  // namespace

// Checks the grid itself: shape, legend, counts and geometry.
void checkCanGrid() {
    int outline = 0, red = 0, white = 0, mist = 0;
    int minX = 32, maxX = -1, minY = 32, maxY = -1;
    for (int y = 0; y < 32; ++y) {
        require(std::string(kCan[y]).size() == 32, "can grid row " + std::to_string(y) + " is not 32 wide");
        for (int x = 0; x < 32; ++x) {
            const char c = kCan[y][x];
            switch (c) {
            case '.': continue;
            case '#': ++outline; break;
            case 'R': ++red; break;
            case 'W': ++white; break;
            case 'o': ++mist; break;
            default: fail(std::string("can grid: unknown character '") + c + "'");
            }
            if (x < minX) minX = x;
            if (x > maxX) maxX = x;
            if (y < minY) minY = y;
            if (y > maxY) maxY = y;
        }
    }
    requireEq(outline, 121, "can outline pixels");
    requireEq(red, 66, "can red pixels");
    requireEq(white, 32, "can white pixels");
    requireEq(mist, 30, "mist dots");
    require(minX == 1 && maxX == 26 && minY == 6 && maxY == 28,
            "opaque pixels must span columns 1..26 and rows 6..28");

    // Mist: single dots on one colour of a checkerboard, inside the fan area,
    // touching nothing else that is opaque.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (canAt(x, y) != 'o') continue;
            const std::string at = " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            require((x + y) % 2 == 0, "mist dot off the checkerboard" + at);
            require(x >= 1 && x <= 12 && y >= 6 && y <= 15, "mist dot outside the fan area" + at);
            require(!opaqueAt(x - 1, y) && !opaqueAt(x + 1, y) && !opaqueAt(x, y - 1) && !opaqueAt(x, y + 1),
                    "mist dot is not a single dot" + at);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const char n = canAt(x + dx, y + dy);
                    require(n != 'R' && n != 'W', "mist dot touches the can's filling" + at);
                }
        }
    // Red and white can pixels sit inside the outline, never on its rim.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char c = canAt(x, y);
            if (c != 'R' && c != 'W') continue;
            require(opaqueAt(x - 1, y) && opaqueAt(x + 1, y) && opaqueAt(x, y - 1) && opaqueAt(x, y + 1),
                    "can pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is not enclosed");
        }

    for (int x = 7; x <= 9; ++x) require(canAt(x, 9) == '#', "nozzle must be black at row 9, columns 7..9");
    require(canAt(6, 9) == '.', "hot spot (6, 9) must be a see-through gap");
    require(canAt(5, 9) == 'o' && canAt(6, 8) == 'o' && canAt(6, 10) == 'o',
            "hot spot (6, 9) must be surrounded by mist dots");
}

// Counts the pixels of a finished 24-bit can image.
void checkCanImage(const Bytes& dib, bool light) {
    int black = 0, red = 0, white = 0, other = 0;
    for (size_t i = 40; i + 2 < dib.size(); i += 3) {
        const int b = dib[i], g = dib[i + 1], r = dib[i + 2];
        if (!r && !g && !b) ++black;
        else if (r == 255 && !g && !b) ++red;
        else if (r == 255 && g == 255 && b == 255) ++white;
        else ++other;
    }
    const std::string name = light ? "light can image" : "dark can image";
    requireEq(black, 896, name + " black pixels");
    requireEq(red, light ? 128 : 96, name + " red pixels");
    requireEq(white, light ? 0 : 32, name + " white pixels");
    requireEq(other, 0, name + " pixels of any other colour");
}

Bytes canDib(bool light) {
    Bytes b;
    putInfoHeader(b, 32, 32, 24, 32 * 32 * 3, 0);
    for (int y = 31; y >= 0; --y)                 // 96 bytes a row: no padding
        for (int x = 0; x < 32; ++x) {
            const Rgb c = canColour(kCan[y][x], light);
            put8(b, c.b); put8(b, c.g); put8(b, c.r);
        }
    return b;
}

// Cursor mask: 1 bit a pixel, 0 (black) opaque, 1 (white) see-through.
Bytes maskDib() {
    Bytes b;
    putInfoHeader(b, 32, 32, 1, 32 * 4, 0);
    put32(b, 0x00000000);  // index 0: black
    put32(b, 0x00FFFFFF);  // index 1: white
    for (int y = 31; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!opaqueAt(byte * 8 + bit, y)) bits |= 0x80u >> bit;
            put8(b, bits);
        }
    return b;
}

// Reads the mask back and compares it with both can images pixel by pixel.
void checkMask(const Bytes& mask, const Bytes& dark, const Bytes& light) {
    int opaque = 0, outline = 0;
    for (int row = 0; row < 32; ++row) {               // stored row, bottom-up
        for (int x = 0; x < 32; ++x) {
            const bool seeThrough = (mask[48 + row * 4 + x / 8] >> (7 - x % 8)) & 1;
            const size_t p = 40 + static_cast<size_t>(row * 32 + x) * 3;
            const bool darkBlack = !dark[p] && !dark[p + 1] && !dark[p + 2];
            const bool lightBlack = !light[p] && !light[p + 1] && !light[p + 2];
            if (seeThrough) {
                require(darkBlack && lightBlack, "a see-through mask pixel is not black in the can images");
                continue;
            }
            ++opaque;
            if (darkBlack && lightBlack) ++outline;
        }
    }
    requireEq(opaque, 249, "opaque mask pixels");
    requireEq(outline, 121, "opaque black (outline) mask pixels");
}
