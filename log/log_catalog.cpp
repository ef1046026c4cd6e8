// The log catalog's table and its scan of the data folder.
#include "log/log_catalog.h"

#include <ctype.h>
#include <dirent.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "app/app_state.h"
#include "log/log_notices.h"

LogEntry logEntries[MAX_LOG_ENTRIES + 1];
int32_t logEntryCount;

namespace {

const int CATALOG_PATH_SIZE = BASE_DIRECTORY_SIZE + 300;

// Reads the last LOG_TAIL_SIZE bytes of the file in text mode. A file shorter than that
// makes the seek fail and is read from its start.
void ReadLogTail(const char* path, LogEntry* entry) {
    FILE* file = fopen(path, "r");
    if (file == NULL) return;
    char tail[LOG_TAIL_SIZE];
    fseek(file, -LOG_TAIL_SIZE, SEEK_END);
    size_t length = fread(tail, 1, sizeof tail, file);
    fclose(file);
    ParseLogTail(tail, length, entry);
}

}  // namespace

bool ParseRowFileName(const char* name, int32_t* startTime) {
    const char* digit = name;
    int64_t value = 0;
    while (*digit >= '0' && *digit <= '9') {
        value = value * 10 + (*digit - '0');
        if (value > INT32_MAX) return false;
        ++digit;
    }
    size_t digits = (size_t)(digit - name);
    if (digits == 0 || (name[0] == '0' && digits > 1)) return false;
    // The folder enumeration matches "*.csv" regardless of case, as Windows does.
    if (strlen(digit) != 4 || digit[0] != '.') return false;
    for (int k = 1; k < 4; ++k)
        if (tolower((unsigned char)digit[k]) != ".csv"[k]) return false;
    *startTime = (int32_t)value;
    return true;
}

int32_t Pace500(int32_t workTime, float distance) {
    if (distance == 0) return 0;
    // The product in 64 bits: workouts of more than 11.9 hours would overflow 32.
    float pace = (float)((int64_t)workTime * 500) / distance;
    if (!isfinite(pace) || pace >= 2147483648.0f || pace < -2147483648.0f) return 0;
    return (int32_t)pace;
}

void ParseLogTail(const char* tail, size_t length, LogEntry* entry) {
    entry->workTime = entry->calories = entry->pace500 = 0;
    entry->distance = 0;
    if (length == 0) return;
    // The final character is the line feed that ends a complete file.
    size_t end = length - 1;
    size_t start = end;
    while (start > 0 && tail[start - 1] != '\n') --start;
    if (start == 0) return;

    char line[LOG_TAIL_SIZE + 1];
    size_t size = end - start;
    if (size > LOG_TAIL_SIZE) size = LOG_TAIL_SIZE;
    memcpy(line, tail + start, size);
    line[size] = '\0';

    int time = 0, watts = 0, calories = 0, strokeRate = 0, heartRate = 0;
    float distance = 0, pace = 0;
    sscanf(line, "%i,%f,%f,%i,%i,%i,%i", &time, &distance, &pace, &watts, &calories, &strokeRate,
           &heartRate);
    entry->workTime = time;
    entry->distance = distance;
    entry->calories = calories;
    entry->pace500 = Pace500(time, distance);
}

void ScanLogCatalog() {
    logEntryCount = 0;
    char folder[CATALOG_PATH_SIZE];
    snprintf(folder, sizeof folder, "%s" PATH_SEPARATOR "data", baseDirectory);
    DIR* directory = opendir(folder);
    if (directory == NULL) return;

    bool found = false;
    while (struct dirent* item = readdir(directory)) {
        int32_t startTime;
        if (!ParseRowFileName(item->d_name, &startTime)) continue;
        found = true;
        if (logEntryCount == MAX_LOG_ENTRIES) break;
        LogEntry* entry = &logEntries[++logEntryCount];
        *entry = LogEntry{startTime, 0, 0, 0, 0.0f};
        char path[CATALOG_PATH_SIZE];
        snprintf(path, sizeof path, "%s" PATH_SEPARATOR "%s", folder, item->d_name);
        ReadLogTail(path, entry);
    }
    closedir(directory);
    if (found && logCatalogRescanned != NULL) logCatalogRescanned();
}
