// Declarations shared by the parts of make_assets: the byte buffer, the checks
// that stop the run, the little-endian writers and what each part makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// main.cpp: a failed check prints its message and ends the run, writing nothing.
[[noreturn]] void fail(const std::string& what);
void require(bool ok, const std::string& what);
void requireEq(long got, long want, const std::string& what);

// bytes.cpp: multi-byte fields, always little-endian.
void put8(Bytes& b, unsigned v);
void put16(Bytes& b, unsigned v);
void put32(Bytes& b, std::uint32_t v);
void putTag(Bytes& b, const char* tag);

// bmp.cpp
void putInfoHeader(Bytes& b, int w, int h, int bpp, std::uint32_t imageSize,
                   std::int32_t pelsPerMetre);
Bytes bmpFile(const Bytes& dib, std::uint32_t colourTableBytes);

// brushes.cpp
Bytes brushDib(int edge, std::vector<int>& levels);
void checkBrush(int edge, const std::vector<int>& lv);

// can_images.cpp
void checkCanGrid();
void checkCanImage(const Bytes& dib, bool light);
Bytes canDib(bool light);
Bytes maskDib();
void checkMask(const Bytes& mask, const Bytes& dark, const Bytes& light);

// icon.cpp
Bytes iconImage();
Bytes icoFile(const Bytes& image);

// sounds.cpp
Bytes wavFile(const std::vector<std::int16_t>& s);
std::vector<std::int16_t> noise(int count, std::uint32_t seed, std::int64_t (*gain)(int n, int count));
std::int64_t steadyGain(int, int);
std::int64_t fadeInGain(int n, int);
std::int64_t fadeOutGain(int n, int count);
void checkSound(const std::vector<std::int16_t>& s, const std::string& name);
std::int64_t meanSquare(const std::vector<std::int16_t>& s, size_t from, size_t to);

// manifest.cpp
Bytes manifestText();
