// Fuzzes reading Tamsi.ini: any file of any length gives a record the program can live with.
#include <string.h>

#include <string>

#include "fuzz_support.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = std::string(FuzzFolder("settings")) + "/Tamsi.ini";
    WriteFuzzFile(path.c_str(), data, size);
    Settings record;
    memset(&record, 0xA5, sizeof(record));
    if (!ReadSettingsFile(path.c_str(), &record)) abort();

    // Start-up sends the language as a menu command: only the two languages (or 0) may pass.
    int32_t language = record.languageCommand;
    if (language != 0 && language != 32812 && language != 32813) abort();
    if (!memchr(record.rowerType, 0, sizeof(record.rowerType))) abort();
    // Every other byte is the file's own, and zero past a short file's end.
    Settings expected = {};
    memcpy(&expected, data, size < sizeof(expected) ? size : sizeof(expected));
    expected.languageCommand = language;
    expected.rowerType[sizeof(expected.rowerType) - 1] = record.rowerType[sizeof(record.rowerType) - 1];
    if (memcmp(&expected, &record, sizeof(record)) != 0) abort();
    // A repaired record is sound: repairing it again changes nothing.
    Settings again = record;
    RepairSettings(&again);
    if (memcmp(&again, &record, sizeof(Settings)) != 0) abort();
    return 0;
}
