// "settings.dat": the factory values, loading, and saving by replacing the file.
#include "app/state.h"
#include "settings/settings_codec.h"

static const char kSettingsFile[] = "settings.dat";
// A save writes here first, so that a save that fails part way leaves the
// old file as it was.
static const char kTempFile[] = "settings.dat.tmp";

static const COLORREF kFactorySlots[] = {
    RGB(0, 0, 0),        // black
    RGB(255, 0, 0),      // red
    RGB(0, 128, 0),      // green
    RGB(0, 0, 128),      // navy
    RGB(80, 40, 0),      // brown
    RGB(255, 255, 0),    // yellow
    RGB(128, 0, 128),    // purple
    RGB(255, 128, 0),    // orange
    RGB(255, 255, 255),  // white
    RGB(128, 128, 128),  // grey
    RGB(0, 255, 255),    // cyan, the custom slot
};

enum {
    kFactorySlotCount = sizeof kFactorySlots / sizeof kFactorySlots[0],
    kFactorySpraySize = 19,
};

void ApplyDefaults()
{
    g_settings.slotCount = kFactorySlotCount;
    for (int i = 0; i < kMaxSlots; i++)
        g_settings.slots[i] = i < kFactorySlotCount ? kFactorySlots[i] : 0;
    g_settings.mute = 0;
    g_settings.customSlotSet = 0;
    g_settings.mirror = 1;
    g_settings.spraySize = kFactorySpraySize;
    for (int j = 0; j < kChooserColours; j++)
        g_settings.chooserColours[j] = 0;
}

static int ReadSettingsFrom(HANDLE file)
{
    BYTE bytes[kMaxSettingsBytes];
    DWORD got = 0;
    if (!ReadFile(file, bytes, 1, &got, NULL) || got != 1)
        return kLoadFailed;
    // The rest in one request; whatever follows it is never read.
    DWORD rest = (DWORD)SettingsFileSize(bytes[0]) - 1;
    if (!ReadFile(file, bytes + 1, rest, &got, NULL) || got != rest)
        return kLoadFailed;
    Settings loaded;
    if (!DecodeSettings(bytes, (int)(1 + got), &loaded))
        return kLoadFailed;
    g_settings = loaded;
    return kLoadRead;
}

int LoadSettings()
{
    HANDLE file = CreateFileA(kSettingsFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return kLoadFailed;
        ApplyDefaults();
        return kLoadNoFile;
    }
    int result = ReadSettingsFrom(file);
    CloseHandle(file);
    return result;
}

int LoadSettingsForWindow()
{
    int result = LoadSettings();
    // Before the first load there are no slots and no spray size to work with.
    int neverLoaded = g_settings.slotCount == 0 && g_settings.spraySize == 0;
    if (result == kLoadFailed && neverLoaded)
        ApplyDefaults();
    return result;
}

int SaveSettings()
{
    BYTE bytes[kMaxSettingsBytes];
    DWORD size = (DWORD)EncodeSettings(&g_settings, bytes);
    HANDLE file = CreateFileA(kTempFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    int saved = WriteFile(file, bytes, size, &written, NULL) && written == size
                && FlushFileBuffers(file);
    saved = CloseHandle(file) && saved;
    // One step: a reader finds either the old file or the whole new one. It
    // fails, leaving the old file, while another handle forbids deleting it.
    saved = saved && MoveFileExA(kTempFile, kSettingsFile,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!saved)
        DeleteFileA(kTempFile);
    return saved;
}
