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

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "make_assets.h"

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

namespace {

struct Brush { int edge; const char* file; };

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

    outs.push_back({"pintaflux.manifest", manifestText(), 86});

    for (const Out& o : outs) writeFile(dir, o.rel, o.data, o.size);
    std::printf("make_assets: wrote %zu files to %s\n", outs.size(), dir.string().c_str());
    return 0;
}
