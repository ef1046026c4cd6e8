// Reading and writing the raw 100-byte settings record, without any window code.
#pragma once
#include <stddef.h>

#include "settings/file_replace.h"
#include "settings/settings.h"

// Room for the base directory, the separator and "Tamsi.ini".
const size_t SETTINGS_PATH_SIZE = 280;
// The record is written to the settings path plus this suffix, then moved over the old file.
#define SETTINGS_TEMP_SUFFIX ".tmp"

// "<directory><separator>Tamsi.ini". Returns false (and an empty path) if it does not fit.
bool FormatSettingsPath(char* path, size_t size, const char* directory);

// Zeroes the record and reads up to its 100 bytes from the start of the file, then repairs
// what the rest of the program cannot live with (see RepairSettings). A short file leaves
// the remaining bytes zero; bytes past the 100th are ignored. Returns whether the file
// opened; when it did not, the record is left as it was.
bool ReadSettingsFile(const char* path, Settings* record);

// A language other than English or Danish becomes English (0 stays 0: start-up reads it as
// English), and a rower type with no terminator in its 12 bytes is cut at 11 characters.
// A record that is already sound is left byte for byte as it was.
void RepairSettings(Settings* record);

// The defaults for a missing file, over whatever the record holds; reserved bytes untouched.
void ApplyDefaultSettings(Settings* record, const SettingsRect& workArea);

// Writes the 100 bytes to the path plus SETTINGS_TEMP_SUFFIX, checking every write, the
// flush and the close, and only then moves it over the old file with replace. On any
// failure the temporary file is removed and the old file is left as it was. replace is a
// parameter so that the caller's platform implementation is linked in with the caller.
bool WriteSettingsFile(const char* path, const Settings& record,
                       ReplaceFileFunction replace = ReplaceFileAtomically);
