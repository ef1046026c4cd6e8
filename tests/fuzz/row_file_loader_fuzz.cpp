// Fuzzes the row file loader: any file gives a sound record or a refusal, and loading from
// the disk line by line agrees with parsing the same text in memory.
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "monitor/row_file.h"

static StrokeHistory fromDisk, fromMemory;
static std::string folder;

static bool Sound(const StrokeHistory& h) {
    return h.lastSample >= 0 && h.lastSample <= LAST_SAMPLE_INDEX && h.workTime != 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char path[BASE_DIRECTORY_SIZE + 64];
    if (!path[0]) {
        // A folder of the process's own, in memory where there is a /dev/shm.
        folder = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                 "/tamsi-row-file-" + std::to_string(getpid());
        std::filesystem::create_directories(folder + "/data");
        atexit([] { std::filesystem::remove_all(folder); });
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", folder.c_str());
        if (!FormatRowFilePath(path, sizeof path, 1700000000)) abort();
    }
    FILE* file = fopen(path, "wb");  // as a damaged file on the disk would hold it
    if (!file || (size && fwrite(data, 1, size, file) != size)) abort();
    fclose(file);
    memset(&fromDisk, 0, sizeof fromDisk);
    memset(&fromMemory, 0, sizeof fromMemory);
    fromDisk.startTime = fromMemory.startTime = 1700000000;
    bool loaded = LoadRowFile(&fromDisk);
    bool parsed = ParseRowFileText((const char*)data, size, &fromMemory);
    if ((loaded && !Sound(fromDisk)) || (parsed && !Sound(fromMemory))) abort();
    // A NUL ends a line for the stream reader's line search but not for the text parser;
    // real row files hold none, so only NUL-free files must agree.
    if (memchr(data, 0, size)) return 0;
    if (loaded != parsed || memcmp(&fromDisk, &fromMemory, sizeof fromDisk) != 0) abort();
    return 0;
}
