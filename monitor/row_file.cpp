// Creating and writing row files.
#include "monitor/row_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/app_state.h"
#include "settings/text_table.h"

namespace {

const int ROW_PATH_SIZE = BASE_DIRECTORY_SIZE + 64;
const int ROW_LINE_SIZE = 256;
// How many taken seconds after the clock's one are tried before giving up.
const int32_t MAX_NAME_TRIES = 100000;

bool MakeDataFolder() {
    char folder[ROW_PATH_SIZE];
    int length = snprintf(folder, sizeof folder, "%s" PATH_SEPARATOR "data", baseDirectory);
    if (length < 0 || length >= (int)sizeof folder) return false;
#ifdef _WIN32
    int result = _mkdir(folder);
#else
    int result = mkdir(folder, 0777);
#endif
    // An existing folder is fine; anything else in its way shows when the file is opened.
    return result == 0 || errno == EEXIST;
}

// Opens path only if no file of that name exists yet, as a text stream.
FILE* CreateExclusive(const char* path) {
#ifdef _WIN32
    // msvcrt's fopen knows no "x" mode.
    int fd = _open(path, _O_CREAT | _O_EXCL | _O_WRONLY | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return NULL;
    FILE* file = _fdopen(fd, "w");
    if (file == NULL) _close(fd);
#else
    int fd = open(path, O_CREAT | O_EXCL | O_WRONLY, 0666);
    if (fd < 0) return NULL;
    FILE* file = fdopen(fd, "w");
    if (file == NULL) close(fd);
#endif
    return file;
}

void WriteText(FILE* file, const char* text) {
    fputs(text, file);
    fflush(file);
}

}  // namespace

int32_t CalendarSeconds() {
    return (int32_t)time(NULL);
}

RowFileClock rowFileClock = CalendarSeconds;

bool FormatRowFilePath(char* buffer, size_t size, int32_t seconds) {
    int length = snprintf(buffer, size, "%s" PATH_SEPARATOR "data" PATH_SEPARATOR "%i.csv",
                          baseDirectory, (int)seconds);
    return length >= 0 && (size_t)length < size;
}

FILE* CreateRowFile(int32_t* fileSeconds) {
    if (!MakeDataFolder()) return NULL;
    RowFileClock clock = rowFileClock != NULL ? rowFileClock : CalendarSeconds;
    int64_t seconds = clock();
    FILE* file = NULL;
    for (int32_t tries = 0; tries < MAX_NAME_TRIES && seconds <= INT32_MAX; tries++, seconds++) {
        char path[ROW_PATH_SIZE];
        if (!FormatRowFilePath(path, sizeof path, (int32_t)seconds)) return NULL;
        file = CreateExclusive(path);
        if (file != NULL) break;
        if (errno != EEXIST) return NULL;
    }
    if (file == NULL) return NULL;
    if (fileSeconds != NULL) *fileSeconds = (int32_t)seconds;

    char header[TEXT_SLOT_SIZE + 2];
    snprintf(header, sizeof header, "%.*s\n", TEXT_SLOT_SIZE - 1, textTable[TEXT_ROW_FILE_HEADER]);
    WriteText(file, header);
    return file;
}

void WriteRowLine(FILE* file, int32_t time, double distance, double pace, int32_t power,
                  int32_t calories, int32_t strokeRate, int32_t heartRate) {
    if (file == NULL) return;
    char line[ROW_LINE_SIZE];
    snprintf(line, sizeof line, "%i,%.1f,%.3f,%i,%i,%i,%i\n", (int)time, distance, pace, (int)power,
             (int)calories, (int)strokeRate, (int)heartRate);
    WriteText(file, line);
}
