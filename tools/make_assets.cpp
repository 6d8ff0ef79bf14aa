// make_assets: writes every image, sound and text file that res/pintaflux.rc
// compiles into the executable.
//
//   make_assets <output-dir>
//
// The output is the same byte for byte on every run and every machine: noise
// comes from our own xorshift generator, envelopes and the brush cones use
// integer arithmetic only, and all multi-byte fields are written little-endian
// explicitly. Each picture is checked against its required pixel counts before
// anything is written, so an edit that breaks one stops the run with a message.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "make_assets: %s\n", what.c_str());
    std::exit(1);
}

void require(bool ok, const std::string& what) {
    if (!ok) fail(what);
}

void requireEq(long got, long want, const std::string& what) {
    if (got != want)
        fail(what + ": got " + std::to_string(got) + ", want " + std::to_string(want));
}

void put8(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v & 0xFF)); }
void put16(Bytes& b, unsigned v) { put8(b, v); put8(b, v >> 8); }
void put32(Bytes& b, std::uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }
void putTag(Bytes& b, const char* tag) { for (int i = 0; i < 4; ++i) put8(b, static_cast<unsigned char>(tag[i])); }

// ---------------------------------------------------------------------------
// Pseudo-random numbers (xorshift32): fixed algorithm, fixed seeds.

class XorShift32 {
public:
    explicit XorShift32(std::uint32_t seed) : s_(seed ? seed : 1u) {}
    std::uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    // Uniform integer in [lo, hi]; rejection sampling keeps it unbiased.
    int uniform(int lo, int hi) {
        const std::uint32_t span = static_cast<std::uint32_t>(hi - lo) + 1u;
        const std::uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % span);
        std::uint32_t r;
        do r = next(); while (r >= limit);
        return lo + static_cast<int>(r % span);
    }
private:
    std::uint32_t s_;
};

// ---------------------------------------------------------------------------
// Bitmaps

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

// Brush dab: a grey cone, 255 at the centre falling linearly to 0 at
// R = 0.478 * edge, level = round(255 * (1 - d / R)) with halves rounded up.
// Worked in integers so no platform can round differently: with doubled
// coordinates D = (2x+1-e)^2 + (2y+1-e)^2 = 4 d^2 and R = 239 e / 500,
// level >= k  <=>  d <= R (511 - 2k) / 510
//             <=>  D * 510^2 * 500^2 <= 4 * (239 e)^2 * (511 - 2k)^2.
int coneLevel(int x, int y, int edge) {
    const std::int64_t dx = 2 * x + 1 - edge, dy = 2 * y + 1 - edge;
    const std::int64_t lhs = (dx * dx + dy * dy) * 510 * 510 * 500 * 500;
    const std::int64_t r2 = 4 * (239LL * edge) * (239LL * edge);
    int level = 0;
    for (int k = 1; k <= 255; ++k) {
        const std::int64_t m = 511 - 2 * k;
        if (lhs <= r2 * m * m) level = k; else break;
    }
    return level;
}

struct Brush { int edge; const char* file; };

Bytes brushDib(int edge, std::vector<int>& levels) {
    levels.assign(static_cast<size_t>(edge * edge), 0);
    for (int y = 0; y < edge; ++y)
        for (int x = 0; x < edge; ++x) levels[static_cast<size_t>(y * edge + x)] = coneLevel(x, y, edge);

    Bytes b;
    putInfoHeader(b, edge, edge, 32, 0, 3780);
    for (int y = edge - 1; y >= 0; --y)          // bottom-up
        for (int x = 0; x < edge; ++x) {
            const int g = levels[static_cast<size_t>(y * edge + x)];
            put8(b, g); put8(b, g); put8(b, g);   // blue, green, red alike
            put8(b, 255);                          // fourth byte carries nothing
        }
    return b;
}

void checkBrush(int edge, const std::vector<int>& lv) {
    const std::string name = "brush " + std::to_string(edge);
    auto at = [&](int x, int y) { return lv[static_cast<size_t>(y * edge + x)]; };
    if (edge % 2) {
        requireEq(at(edge / 2, edge / 2), 255, name + " centre");
    } else {
        const int c = edge / 2;
        requireEq(at(c - 1, c - 1), 243, name + " centre");
        requireEq(at(c, c - 1), 243, name + " centre");
        requireEq(at(c - 1, c), 243, name + " centre");
        requireEq(at(c, c), 243, name + " centre");
    }
    const int last = edge - 1, mid = (edge - 1) / 2;
    for (int corner : {at(0, 0), at(last, 0), at(0, last), at(last, last)})
        requireEq(corner, 0, name + " corner");
    for (int side : {at(mid, 0), at(0, mid), at(last, mid), at(mid, last)})
        require(side <= 9, name + ": middle of a side is brighter than 9");
}

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

// ---------------------------------------------------------------------------
// Icon: 32 x 32, 4 bits a pixel, standard 16-colour palette, AND mask.

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
    XorShift32 rng(0x1C0A1u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int c = brickColour(x, y);
            // Solid core about 5 pixels wide, then a thin speckled spray edge.
            if (strokeWithin(x, y, 5 * 5))            // within 2.5
                c = kBlack;
            else if (strokeWithin(x, y, 7 * 7))       // within 3.5
                c = rng.uniform(0, 99) < 30 ? kBlack : c;
            px[static_cast<size_t>(y * 32 + x)] = c;
        }
    return px;
}

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

// ---------------------------------------------------------------------------
// Sounds: PCM mono 44100 Hz 16-bit, canonical 44-byte header.

constexpr int kRate = 44100;
constexpr int kNoisePeak = 2070;   // uniform in [-2070, 2070]: RMS about 1195

Bytes wavFile(const std::vector<std::int16_t>& s) {
    const std::uint32_t data = static_cast<std::uint32_t>(s.size() * 2);
    Bytes f;
    putTag(f, "RIFF"); put32(f, 36 + data); putTag(f, "WAVE");
    putTag(f, "fmt "); put32(f, 16);
    put16(f, 1); put16(f, 1); put32(f, kRate); put32(f, kRate * 2); put16(f, 2); put16(f, 16);
    putTag(f, "data"); put32(f, data);
    for (std::int16_t v : s) put16(f, static_cast<std::uint16_t>(v));
    return f;
}

// Noise scaled by a gain in 1/65536 units.
std::vector<std::int16_t> noise(int count, std::uint32_t seed, std::int64_t (*gain)(int n, int count)) {
    XorShift32 rng(seed);
    std::vector<std::int16_t> s(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        const std::int64_t v = rng.uniform(-kNoisePeak, kNoisePeak);
        s[static_cast<size_t>(n)] = static_cast<std::int16_t>(v * gain(n, count) / 65536);
    }
    return s;
}

std::int64_t steadyGain(int, int) { return 65536; }

// Rises as 1 - (1 - t/T)^2: steep from silence, flat from T = 0.24 s on.
std::int64_t fadeInGain(int n, int) {
    const std::int64_t T = kRate * 24 / 100;
    if (n >= T) return 65536;
    const std::int64_t left = T - n;
    return 65536 - left * left * 65536 / (T * T);
}

// Falls linearly from 7/8 of the hiss level to 1/8 of it.
std::int64_t fadeOutGain(int n, int count) {
    const std::int64_t hi = 65536 * 7 / 8, lo = 65536 / 8;
    return hi - (hi - lo) * n / (count - 1);
}

void checkSound(const std::vector<std::int16_t>& s, const std::string& name) {
    int peak = 0;
    for (std::int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    require(peak <= kNoisePeak, name + ": sample beyond the noise range");
}

// Mean square of a stretch of samples, for the level checks.
std::int64_t meanSquare(const std::vector<std::int16_t>& s, size_t from, size_t to) {
    std::int64_t sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<std::int64_t>(s[i]) * s[i];
    return sum / static_cast<std::int64_t>(to - from);
}

// ---------------------------------------------------------------------------

// One empty assembly element, closed on the next line, Windows line break.
const char kManifest[] =
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "</assembly>";

void writeFile(const std::filesystem::path& dir, const std::string& rel, const Bytes& data, size_t wantSize) {
    requireEq(static_cast<long>(data.size()), static_cast<long>(wantSize), rel + " size");
    const std::filesystem::path p = dir / rel;
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    if (ec) fail("cannot create " + p.parent_path().string() + ": " + ec.message());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) fail("cannot write " + p.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <output-dir>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];

    // Build and check everything first, so a failed check writes nothing.
    struct Out { std::string rel; Bytes data; size_t size; };
    std::vector<Out> outs;

    const Brush brushes[] = {
        {13, "images/brush13.bmp"}, {19, "images/brush19.bmp"},
        {25, "images/brush25.bmp"}, {32, "images/brush32.bmp"},
    };
    for (const Brush& br : brushes) {
        std::vector<int> levels;
        const Bytes dib = brushDib(br.edge, levels);
        checkBrush(br.edge, levels);
        outs.push_back({br.file, bmpFile(dib, 0), static_cast<size_t>(14 + 40 + br.edge * br.edge * 4)});
    }

    checkCanGrid();
    const Bytes dark = canDib(false), light = canDib(true), mask = maskDib();
    checkCanImage(dark, false);
    checkCanImage(light, true);
    checkMask(mask, dark, light);
    outs.push_back({"images/can_dark.bmp", bmpFile(dark, 0), 14 + 3112});
    outs.push_back({"images/can_light.bmp", bmpFile(light, 0), 14 + 3112});
    outs.push_back({"images/can_mask.bmp", bmpFile(mask, 8), 14 + 176});

    outs.push_back({"icon/pintaflux.ico", icoFile(iconImage()), 6 + 16 + 744});

    const auto spray = noise(12364, 0x5EED0001u, steadyGain);
    const auto fadeIn = noise(12364, 0x5EED0002u, fadeInGain);
    const auto fadeOut = noise(7728, 0x5EED0003u, fadeOutGain);
    checkSound(spray, "spray");
    checkSound(fadeIn, "fade-in");
    checkSound(fadeOut, "fade-out");
    {
        // The hiss must hold its level: every tenth of it within 10% RMS of
        // 1195 (mean square 1.43e6, so 1.16e6 .. 1.73e6).
        const size_t part = spray.size() / 10;
        for (size_t i = 0; i < 10; ++i) {
            const std::int64_t ms = meanSquare(spray, i * part, (i + 1) * part);
            require(ms > 1160000 && ms < 1730000, "spray level is not steady");
        }
        require(meanSquare(fadeIn, 0, 400) < meanSquare(fadeIn, 4000, 4400), "fade-in does not rise");
        require(meanSquare(fadeOut, 0, 400) > 16 * meanSquare(fadeOut, 7328, 7728), "fade-out does not fall");
    }
    outs.push_back({"sounds/spray.wav", wavFile(spray), 24772});
    outs.push_back({"sounds/fadein.wav", wavFile(fadeIn), 24772});
    outs.push_back({"sounds/fadeout.wav", wavFile(fadeOut), 15500});

    outs.push_back({"pintaflux.manifest", Bytes(kManifest, kManifest + sizeof kManifest - 1), 86});

    for (const Out& o : outs) writeFile(dir, o.rel, o.data, o.size);
    std::printf("make_assets: wrote %zu files to %s\n", outs.size(), dir.string().c_str());
    return 0;
}
