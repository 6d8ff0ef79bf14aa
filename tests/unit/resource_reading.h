// Reading the executable's own resources back, for the resource tests.
#pragma once
#include <windows.h>
#include <vector>

static const WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 0x0409

struct Resource {
    const BYTE *data;
    DWORD size;
};

// The resource's bytes in US English, or a null pointer when it is missing.
Resource FindUsEnglish(const char *type, const char *name);

// Every language the resource is stored in: a lookup in one language falls
// back to a language-neutral copy, so it cannot tell the two apart.
std::vector<WORD> Languages(const char *type, const char *name);

Resource Bitmap(int id);

inline unsigned U16(const BYTE *p) { return p[0] | p[1] << 8; }
inline unsigned U32(const BYTE *p) { return U16(p) | U16(p + 2) << 16; }
