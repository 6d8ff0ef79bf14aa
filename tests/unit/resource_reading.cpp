// Reading the executable's own resources back.
#include "unit/resource_reading.h"

Resource FindUsEnglish(const char *type, const char *name)
{
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC info = FindResourceExA(module, type, name, kUsEnglish);
    if (!info)
        return {nullptr, 0};
    HGLOBAL loaded = LoadResource(module, info);
    return {loaded ? (const BYTE *)LockResource(loaded) : nullptr, SizeofResource(module, info)};
}

static BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list)
{
    ((std::vector<WORD> *)list)->push_back(language);
    return TRUE;
}

std::vector<WORD> Languages(const char *type, const char *name)
{
    std::vector<WORD> list;
    EnumResourceLanguagesA(GetModuleHandleA(NULL), type, name, CollectLanguage, (LONG_PTR)&list);
    return list;
}

Resource Bitmap(int id)
{
    return FindUsEnglish(RT_BITMAP, MAKEINTRESOURCEA(id));
}
