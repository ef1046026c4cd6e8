// The settings file is a raw image of the record: no header, no version, no checksum.
#include "settings/settings_file.h"

#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/app_state.h"

static const int32_t LANGUAGE_ENGLISH = 32812;
static const int32_t LANGUAGE_DANISH = 32813;

bool FormatSettingsPath(char* path, size_t size, const char* directory) {
    if (size == 0) return false;
    int length = snprintf(path, size, "%s" PATH_SEPARATOR "Tamsi.ini", directory);
    if (length < 0 || (size_t)length >= size) {
        path[0] = 0;
        return false;
    }
    return true;
}

bool ReadSettingsFile(const char* path, Settings* record) {
    FILE* file = fopen(path, "rb");
    if (!file) return false;
    memset(record, 0, sizeof(Settings));
    // How much was read does not matter: a short file leaves zeros behind it.
    size_t ignored = fread(record, 1, sizeof(Settings), file);
    (void)ignored;
    fclose(file);
    RepairSettings(record);
    return true;
}

void RepairSettings(Settings* record) {
    // Start-up sends this value as a menu command; anything else would run another command.
    int32_t language = record->languageCommand;
    if (language != 0 && language != LANGUAGE_ENGLISH && language != LANGUAGE_DANISH)
        record->languageCommand = LANGUAGE_ENGLISH;
    // Readers treat the rower type as a C string; keep them inside the field.
    if (!memchr(record->rowerType, 0, sizeof(record->rowerType)))
        record->rowerType[sizeof(record->rowerType) - 1] = 0;
}

void ApplyDefaultSettings(Settings* record, const SettingsRect& workArea) {
    record->mainWindowRect = workArea;
    record->logWindowRect.left = 10;
    record->logWindowRect.top = 30;
    record->logWindowRect.right = 610;
    record->logWindowRect.bottom = workArea.bottom;
    record->lastUploadTime = 0;
    record->showHeartRate = 1;
    record->showStrokeRate = 1;
    record->showPower = 1;
    record->showPace = 1;
    record->paceMin = 0;
    record->paceMax = 5;
    record->strokeRateMin = 0;
    record->strokeRateMax = 40;
    record->heartRateMin = 0;
    record->heartRateMax = 200;
    record->powerMin = 0;
    record->powerMax = 250;
    record->weightClass = 'H';
    record->languageCommand = LANGUAGE_ENGLISH;
    // Bytes after the terminator keep whatever they held, as in a record the dialog wrote.
    memcpy(record->rowerType, "standard", sizeof("standard"));
}

// Pushes the file's data to the disk, so that the rename never lands before the bytes.
static bool SyncToDisk(FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool WriteSettingsFile(const char* path, const Settings& record, ReplaceFileFunction replace) {
    char tempPath[SETTINGS_PATH_SIZE + sizeof(SETTINGS_TEMP_SUFFIX)];
    int length = snprintf(tempPath, sizeof(tempPath), "%s" SETTINGS_TEMP_SUFFIX, path);
    if (length < 0 || (size_t)length >= sizeof(tempPath)) return false;

    FILE* file = fopen(tempPath, "wb");
    if (!file) return false;
    bool written = fwrite(&record, 1, sizeof(Settings), file) == sizeof(Settings);
    written = written && fflush(file) == 0;
    written = written && SyncToDisk(file);
    // The close can report a failed write too, so its result always counts.
    bool closed = fclose(file) == 0;
    if (written && closed && replace(tempPath, path)) return true;
    remove(tempPath);
    return false;
}
