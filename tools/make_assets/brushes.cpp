// Brush dabs: grey cones worked in integers, and their checks.

#include "make_assets.h"

namespace {

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

}  // namespace

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
