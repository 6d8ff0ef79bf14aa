// "settings.dat": the factory values, loading, and saving by replacing the file.
#include "core/state.h"
#include "settings/settings.h"
#include "settings/settings_codec.h"

static const char kSettingsFile[] = "settings.dat";
// A save writes one of these first, so that a save that fails part way
// leaves the old file as it was. The second is for when something that is not
// ours to remove, a folder say, sits on the first.
static const char *const kTempFiles[] = {"settings.dat.tmp", "settings.dat.tmp2"};

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
    int result;
    if (file != INVALID_HANDLE_VALUE) {
        result = ReadSettingsFrom(file);
        CloseHandle(file);
    } else if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        ApplyDefaults();
        result = kLoadNoFile;
    } else {
        result = kLoadFailed;
    }
    if (result != kLoadFailed)
        g_app.settingsHeld = 1;
    return result;
}

int LoadSettingsForWindow()
{
    int result = LoadSettings();
    // A window needs slots and a spray size to work with: when nothing was
    // ever loaded, a failed load falls back to the factory values.
    if (result == kLoadFailed && !g_app.settingsHeld) {
        ApplyDefaults();
        g_app.settingsHeld = 1;
    }
    return result;
}

// Creates a temporary file under the given name. A stale file left there (a
// crash, a copy from another machine) may be read-only or hidden, which makes
// creating it over fail: it is cleared away first.
static HANDLE CreateTempFile(const char *name)
{
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name);
    }
    return CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
}

static int WriteWholeFile(HANDLE file, const BYTE *bytes, DWORD size)
{
    DWORD written = 0;
    int saved = WriteFile(file, bytes, size, &written, NULL) && written == size
                && FlushFileBuffers(file);
    return CloseHandle(file) && saved;
}

int SaveSettings()
{
    BYTE bytes[kMaxSettingsBytes];
    DWORD size = (DWORD)EncodeSettings(&g_settings, bytes);
    for (const char *temp : kTempFiles) {
        HANDLE file = CreateTempFile(temp);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        // One step: a reader finds either the old file or the whole new one. It
        // fails, leaving the old file, while another handle forbids deleting it.
        int saved = WriteWholeFile(file, bytes, size)
                    && MoveFileExA(temp, kSettingsFile,
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!saved)
            DeleteFileA(temp);
        return saved;
    }
    return 0;
}
