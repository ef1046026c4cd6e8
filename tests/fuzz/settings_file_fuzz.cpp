// Fuzzes reading Tamsi.ini: any file of any length gives a record the program can live with.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "settings/settings_file.h"

static const int32_t LANGUAGE_ENGLISH = 32812;
static const int32_t LANGUAGE_DANISH = 32813;

static char path[64];

static void RemoveFile() {
    unlink(path);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A file in memory when there is a /dev/shm: the reader takes a path, not a buffer.
    if (!path[0]) {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        snprintf(path, sizeof(path), "%s/tamsi-fuzz-%d.ini", folder, (int)getpid());
        atexit(RemoveFile);
    }
    FILE* file = fopen(path, "wb");
    if (!file) abort();
    if (size && fwrite(data, 1, size, file) != size) abort();
    fclose(file);

    Settings record;
    memset(&record, 0xA5, sizeof(record));
    if (!ReadSettingsFile(path, &record)) abort();

    // Start-up sends the language as a menu command: only the two languages (or 0) may pass.
    int32_t language = record.languageCommand;
    if (language != 0 && language != LANGUAGE_ENGLISH && language != LANGUAGE_DANISH) abort();
    if (!memchr(record.rowerType, 0, sizeof(record.rowerType))) abort();

    // Every other byte is the file's own, and zero past a short file's end.
    uint8_t expected[sizeof(Settings)] = {};
    memcpy(expected, data, size < sizeof(expected) ? size : sizeof(expected));
    const uint8_t* read = (const uint8_t*)&record;
    size_t languageAt = offsetof(Settings, languageCommand);
    size_t cutAt = offsetof(Settings, rowerType) + sizeof(record.rowerType) - 1;
    for (size_t i = 0; i < sizeof(Settings); i++) {
        bool repairable = i == cutAt || (i >= languageAt && i < languageAt + sizeof(int32_t));
        if (!repairable && read[i] != expected[i]) abort();
    }

    // A repaired record is sound: repairing it again changes nothing.
    Settings again = record;
    RepairSettings(&again);
    if (memcmp(&again, &record, sizeof(Settings)) != 0) abort();
    return 0;
}
