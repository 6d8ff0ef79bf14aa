// Little-endian field writers used by the BMP, ICO and WAVE writers.

#include "make_assets.h"

void put8(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v & 0xFF)); }
void put16(Bytes& b, unsigned v) { put8(b, v); put8(b, v >> 8); }
void put32(Bytes& b, std::uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }
void putTag(Bytes& b, const char* tag) { for (int i = 0; i < 4; ++i) put8(b, static_cast<unsigned char>(tag[i])); }
