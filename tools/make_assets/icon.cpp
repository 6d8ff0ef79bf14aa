// The program icon: a sprayed V on brick, 32 x 32, 4 bits a pixel in the
// standard 16-colour palette with an AND mask, and the .ico file around it.

#include "make_assets.h"
#include "xorshift.h"

namespace {

const std::uint8_t kPalette[16][3] = {  // r, g, b
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
constexpr int kBlack = 0, kDarkRed = 1, kWhite = 15;

// Rounded corner: outside a circle of radius 9 fitted into the corner.
bool iconCornerCut(int x, int y) {
    const int r = 9;
    const int cx = x < 16 ? x : 31 - x, cy = y < 16 ? y : 31 - y;
    if (cx >= r || cy >= r) return false;
    const int dx = 2 * (r - cx) - 1, dy = 2 * (r - cy) - 1;  // doubled, to pixel centre
    return dx * dx + dy * dy > 4 * r * r;
}

// Brick courses 3 pixels high, bricks 6 wide, 1-pixel joints; every other
// course shifted right by 2 pixels. Joints on rows 2, 6, ..., 30, so the top
// and bottom edges are brick rather than mortar.
int brickColour(int x, int y) {
    if (y % 4 == 2) return kWhite;
    const int shift = ((y + 1) / 4) % 2 ? 2 : 0;
    return (x + 7 - shift) % 7 == 6 ? kWhite : kDarkRed;
}

// Squared distance test from a pixel centre to a segment, doubled coordinates,
// exact in integers: is dist^2 <= limit4 / 4 ?
bool nearSegment(int x, int y, int ax, int ay, int bx, int by, std::int64_t limit4) {
    const std::int64_t px = 2 * x + 1, py = 2 * y + 1;
    const std::int64_t Ax = 2 * ax + 1, Ay = 2 * ay + 1, Bx = 2 * bx + 1, By = 2 * by + 1;
    const std::int64_t lx = Bx - Ax, ly = By - Ay, wx = px - Ax, wy = py - Ay;
    const std::int64_t dot = wx * lx + wy * ly, len2 = lx * lx + ly * ly;
    if (dot <= 0) return wx * wx + wy * wy <= limit4;
    if (dot >= len2) {
        const std::int64_t ex = px - Bx, ey = py - By;
        return ex * ex + ey * ey <= limit4;
    }
    return (wx * wx + wy * wy) * len2 - dot * dot <= limit4 * len2;
}

// The sprayed V: a nearly level left arm, a steep right arm and a short tail
// straight down from the point, which is below the middle of the icon.
struct Seg { int ax, ay, bx, by; };
const Seg kStroke[] = {
    {0, 17, 13, 21},   // left arm
    {13, 21, 27, 1},   // right arm
    {13, 21, 13, 25},  // tail
};

bool strokeWithin(int x, int y, std::int64_t limit4) {
    for (const Seg& s : kStroke)
        if (nearSegment(x, y, s.ax, s.ay, s.bx, s.by, limit4)) return true;
    return false;
}

std::vector<int> iconPixels() {
    std::vector<int> px(32 * 32);
    XorShift32 rng = SeedXorShift(0x1C0A1u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int c = brickColour(x, y);
            // Solid core about 5 pixels wide, then a thin speckled spray edge.
            if (strokeWithin(x, y, 5 * 5))            // within 2.5
                c = kBlack;
            else if (strokeWithin(x, y, 7 * 7))       // within 3.5
                c = UniformRandom(&rng, 0, 99) < 30 ? kBlack : c;
            px[static_cast<size_t>(y * 32 + x)] = c;
        }
    return px;
}

}  // namespace

Bytes iconImage() {
    const std::vector<int> px = iconPixels();
    Bytes b;
    putInfoHeader(b, 32, 64, 4, 512, 0);     // height covers image and mask
    for (const auto& c : kPalette) { put8(b, c[2]); put8(b, c[1]); put8(b, c[0]); put8(b, 0); }
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 2) {
            auto idx = [&](int xx) { return iconCornerCut(xx, y) ? kBlack : px[static_cast<size_t>(y * 32 + xx)]; };
            put8(b, static_cast<unsigned>(idx(x) << 4 | idx(x + 1)));
        }
    int cut = 0;
    for (int y = 31; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (iconCornerCut(byte * 8 + bit, y)) { bits |= 0x80u >> bit; ++cut; }
            put8(b, bits);
        }
    requireEq(cut, 68, "transparent icon corner pixels");
    requireEq(static_cast<long>(b.size()), 744, "icon image bytes");

    bool used[16] = {};
    for (int c : px) used[c] = true;
    for (int i = 0; i < 16; ++i)
        require(!used[i] || i == kBlack || i == kDarkRed || i == kWhite, "icon uses a colour other than black, dark red, white");
    return b;
}

Bytes icoFile(const Bytes& image) {
    Bytes f;
    put16(f, 0); put16(f, 1); put16(f, 1);   // reserved, type icon, one image
    put8(f, 32); put8(f, 32); put8(f, 16); put8(f, 0);
    put16(f, 1); put16(f, 4);                 // planes, bits per pixel
    put32(f, static_cast<std::uint32_t>(image.size()));
    put32(f, 6 + 16);
    f.insert(f.end(), image.begin(), image.end());
    return f;
}
