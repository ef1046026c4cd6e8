// Fuzzes the row file loader: any file gives a sound record or a refusal, and loading from
// the disk line by line agrees with parsing the same text in memory.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/app_state.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "monitor/row_file.h"

static StrokeHistory fromDisk, fromMemory;
static char rowPath[BASE_DIRECTORY_SIZE + 64];
static const int32_t START_TIME = 1700000000;

static void RemoveFiles() {
    unlink(rowPath);
    char folder[BASE_DIRECTORY_SIZE + 8];
    snprintf(folder, sizeof folder, "%s/data", baseDirectory);
    rmdir(folder);
    rmdir(baseDirectory);
}

// A base directory of the fuzzer's own, in memory where there is a /dev/shm.
static void MakeFolder() {
    const char* top = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s/tamsi-fuzz-%d", top, (int)getpid());
    char folder[BASE_DIRECTORY_SIZE + 8];
    snprintf(folder, sizeof folder, "%s/data", baseDirectory);
    mkdir(baseDirectory, 0700);
    if (mkdir(folder, 0700) != 0) abort();
    if (!FormatRowFilePath(rowPath, sizeof rowPath, START_TIME)) abort();
    atexit(RemoveFiles);
}

static void CheckSound(const StrokeHistory& h) {
    if (h.lastSample < 0 || h.lastSample > LAST_SAMPLE_INDEX) abort();
    if (h.workTime == 0) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!rowPath[0]) MakeFolder();
    const char* text = (const char*)data;
    FILE* file = fopen(rowPath, "wb");
    if (!file) abort();
    if (size && fwrite(data, 1, size, file) != size) abort();
    fclose(file);

    memset(&fromDisk, 0, sizeof fromDisk);
    memset(&fromMemory, 0, sizeof fromMemory);
    fromDisk.startTime = fromMemory.startTime = START_TIME;
    bool loaded = LoadRowFile(&fromDisk);
    bool parsed = ParseRowFileText(text, size, &fromMemory);
    if (loaded) CheckSound(fromDisk);
    if (parsed) CheckSound(fromMemory);

    // A NUL inside a line ends it for the stream reader's line search but not for the text
    // parser; real row files hold none, so only NUL-free files must agree.
    if (memchr(data, 0, size)) return 0;
    if (loaded != parsed) abort();
    if (memcmp(&fromDisk, &fromMemory, sizeof fromDisk) != 0) abort();
    return 0;
}
