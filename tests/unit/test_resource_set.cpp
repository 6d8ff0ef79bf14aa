// The resource set: every resource present, the bitmap headers, the icon,
// the manifest and the version record.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "common/screen.h"
#include "unit/resource_reading.h"

TEST(ResourceSet, EveryResourceIsPresentInUsEnglishWithItsExactSize)
{
    struct Expected {
        const char *type;
        const char *name;
        DWORD size;
    };
    const Expected all[] = {
        {"WAVE", "IDW_SPRAY", 24772},
        {"WAVE", "IDW_FADEIN", 24772},
        {"WAVE", "IDW_FADEOUT", 15500},
        {RT_BITMAP, MAKEINTRESOURCEA(117), 176},
        {RT_BITMAP, MAKEINTRESOURCEA(124), 4136},
        {RT_BITMAP, MAKEINTRESOURCEA(125), 1484},
        {RT_BITMAP, MAKEINTRESOURCEA(146), 716},
        {RT_BITMAP, MAKEINTRESOURCEA(147), 2540},
        {RT_BITMAP, MAKEINTRESOURCEA(126), 3112},
        {RT_BITMAP, MAKEINTRESOURCEA(127), 3112},
        {RT_GROUP_ICON, MAKEINTRESOURCEA(141), 20},
        {RT_ICON, MAKEINTRESOURCEA(1), 744},
        {RT_VERSION, MAKEINTRESOURCEA(1), 884},
        {RT_MANIFEST, MAKEINTRESOURCEA(1), 86},
    };
    HMODULE module = GetModuleHandleA(NULL);
    for (const Expected &e : all) {
        SCOPED_TRACE(IS_INTRESOURCE(e.name) ? std::to_string((ULONG_PTR)e.name) : std::string(e.name));
        Resource r = FindUsEnglish(e.type, e.name);
        ASSERT_NE(nullptr, r.data);
        EXPECT_EQ(e.size, r.size);
        EXPECT_EQ(std::vector<WORD>{kUsEnglish}, Languages(e.type, e.name));
        // The program itself asks without a language.
        EXPECT_NE(nullptr, FindResourceA(module, e.name, e.type));
    }
}

TEST(ResourceSet, IconGroup141HoldsOnlyIcon1)
{
    Resource group = FindUsEnglish(RT_GROUP_ICON, MAKEINTRESOURCEA(141));
    ASSERT_NE(nullptr, group.data);
    ASSERT_EQ(20u, group.size);
    EXPECT_EQ(0u, U16(group.data));      // reserved
    EXPECT_EQ(1u, U16(group.data + 2));  // icons
    EXPECT_EQ(1u, U16(group.data + 4));  // one member
    const BYTE *entry = group.data + 6;
    EXPECT_EQ(32, entry[0]);
    EXPECT_EQ(32, entry[1]);
    EXPECT_EQ(16, entry[2]);  // colours
    EXPECT_EQ(1u, U16(entry + 4));    // planes
    EXPECT_EQ(4u, U16(entry + 6));    // bits per pixel
    EXPECT_EQ(744u, U32(entry + 8));  // bytes of the member
    EXPECT_EQ(1u, U16(entry + 12));   // its icon id
}

TEST(BitmapHeaders, GiveSizeDepthColourTableImageSizeAndResolution)
{
    struct Expected {
        int id, width, height, bits, colourTable, imageSize, perMetre;
    };
    const Expected all[] = {
        {117, 32, 32, 1, 2, 128, 0},     {124, 32, 32, 32, 0, 0, 3780},
        {125, 19, 19, 32, 0, 0, 3780},   {146, 13, 13, 32, 0, 0, 3780},
        {147, 25, 25, 32, 0, 0, 3780},   {126, 32, 32, 24, 0, 3072, 0},
        {127, 32, 32, 24, 0, 3072, 0},
    };
    for (const Expected &e : all) {
        SCOPED_TRACE(e.id);
        Resource r = Bitmap(e.id);
        ASSERT_NE(nullptr, r.data);
        BITMAPINFOHEADER h;
        memcpy(&h, r.data, sizeof h);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(e.width, h.biWidth);
        EXPECT_EQ(e.height, h.biHeight);  // positive: bottom-up rows
        EXPECT_EQ(1, h.biPlanes);
        EXPECT_EQ(e.bits, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ((DWORD)e.imageSize, h.biSizeImage);
        EXPECT_EQ(e.perMetre, h.biXPelsPerMeter);
        EXPECT_EQ(e.perMetre, h.biYPelsPerMeter);
        EXPECT_EQ(0u, h.biClrUsed);  // the whole table for 1 bit, none above 8
        const int stride = (e.width * e.bits + 31) / 32 * 4;
        EXPECT_EQ(40u + e.colourTable * 4u + (DWORD)(stride * e.height), r.size);
    }
    Resource mask = Bitmap(117);
    ASSERT_NE(nullptr, mask.data);
    EXPECT_EQ(0x00000000u, U32(mask.data + 40));  // index 0: black
    EXPECT_EQ(0x00FFFFFFu, U32(mask.data + 44));  // index 1: white
}

TEST(IconAndVersion, TheIconIs32By32In16ColoursWithTheStandardPalette)
{
    Resource icon = FindUsEnglish(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, icon.data);
    ASSERT_EQ(744u, icon.size);
    BITMAPINFOHEADER h;
    memcpy(&h, icon.data, sizeof h);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(32, h.biWidth);
    EXPECT_EQ(64, h.biHeight);  // image and mask stacked
    EXPECT_EQ(1, h.biPlanes);
    EXPECT_EQ(4, h.biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
    EXPECT_EQ(512u, h.biSizeImage);
    const DWORD palette[16] = {  // 0x00RRGGBB as stored blue, green, red, 0
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(palette[i], U32(icon.data + 40 + i * 4)) << "palette entry " << i;
}

TEST(IconAndVersion, TheIconUsesBlackDarkRedAndWhiteAndHas68TransparentCornerPixels)
{
    Resource icon = FindUsEnglish(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, icon.data);
    ASSERT_EQ(744u, icon.size);
    const BYTE *image = icon.data + 40 + 64, *andMask = image + 512;
    int used[16] = {}, transparent = 0, notInCorner = 0, colouredTransparent = 0;
    for (int row = 0; row < 32; row++)
        for (int x = 0; x < 32; x++) {
            const int index = (image[row * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
            used[index]++;
            if (!((andMask[row * 4 + x / 8] >> (7 - x % 8)) & 1))
                continue;
            transparent++;
            const int cx = x < 16 ? x : 31 - x, cy = row < 16 ? row : 31 - row;
            if (cx >= 9 || cy >= 9)
                notInCorner++;
            if (index != 0)
                colouredTransparent++;
        }
    EXPECT_GT(used[0], 0);   // black
    EXPECT_GT(used[1], 0);   // dark red
    EXPECT_GT(used[15], 0);  // white
    EXPECT_EQ(1024, used[0] + used[1] + used[15]);
    EXPECT_EQ(68, transparent);
    EXPECT_EQ(0, notInCorner);
    EXPECT_EQ(0, colouredTransparent);

    HICON loaded = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(141));
    ASSERT_NE(nullptr, loaded);
    DestroyIcon(loaded);
}

TEST(IconAndVersion, TheManifestIsOneEmptyAssemblyElement)
{
    Resource manifest = FindUsEnglish(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, manifest.data);
    EXPECT_EQ(std::string("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                          "manifestVersion=\"1.0\">\r\n</assembly>"),
              std::string((const char *)manifest.data, manifest.size));
}

TEST(IconAndVersion, TheVersionRecordIsAPrivateBuildOfAWindowsApp1006)
{
    Resource version = FindUsEnglish(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, version.data);
    const BYTE *fixed = nullptr;
    for (DWORD i = 0; i + sizeof(VS_FIXEDFILEINFO) <= version.size; i += 4)
        if (U32(version.data + i) == 0xFEEF04BD) {  // VS_FIXEDFILEINFO's signature
            fixed = version.data + i;
            break;
        }
    ASSERT_NE(nullptr, fixed);
    VS_FIXEDFILEINFO info;
    memcpy(&info, fixed, sizeof info);
    EXPECT_EQ(0x00010000u, info.dwFileVersionMS);  // 1.0
    EXPECT_EQ(0x00000006u, info.dwFileVersionLS);  // 0.6
    EXPECT_EQ(0x00010000u, info.dwProductVersionMS);
    EXPECT_EQ(0x00000006u, info.dwProductVersionLS);
    EXPECT_EQ((DWORD)VS_FFI_FILEFLAGSMASK, info.dwFileFlagsMask);
    EXPECT_EQ((DWORD)VS_FF_PRIVATEBUILD, info.dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, info.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, info.dwFileType);
    EXPECT_EQ(0u, info.dwFileSubtype);
    EXPECT_EQ(0u, info.dwFileDateMS);
    EXPECT_EQ(0u, info.dwFileDateLS);
}
