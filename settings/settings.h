// The persisted user preferences: the Settings record, its factory values
// and its file.
#pragma once
#include "settings/settings_record.h"

enum {
    kLoadFailed = 1,       // file present but unusable; the record is unchanged
    kLoadRead = 2,         // the record now holds the file's values
    kLoadNoFile = 3,       // no file; the factory values were applied
};

// The factory values; the current slot is left as it is.
void ApplyDefaults();
// Reads "settings.dat" in the working directory: kLoadFailed, kLoadRead or kLoadNoFile.
int LoadSettings();
// LoadSettings for a new overlay window, with the same result. When the load
// failed and no record was ever loaded, the factory values are applied too.
int LoadSettingsForWindow();
// Writes the record to "settings.dat"; nonzero on success. A failed save
// leaves the old file as it was.
int SaveSettings();
