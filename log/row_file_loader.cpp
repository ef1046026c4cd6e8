// The row file loader and the entry date text.
#include "log/row_file_loader.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "app/app_state.h"
#include "log/log_notices.h"
#include "log/row_file_parser.h"
#include "monitor/row_file.h"

namespace {

// Reads one line into line (ROW_LINE_SIZE); false at the end of the file or when the line
// does not fit, which ends the reading like a malformed line.
bool ReadLine(FILE* file, char* line) {
    if (fgets(line, ROW_LINE_SIZE, file) == NULL) return false;
    return strchr(line, '\n') != NULL || feof(file);
}

// The header may be of any length: skip everything up to its line feed.
void SkipLine(FILE* file) {
    int c;
    do c = fgetc(file);
    while (c != '\n' && c != EOF);
}

}  // namespace

bool LoadRowFile(StrokeHistory* history) {
    RowFileReading reading;
    StartRowFileReading(&reading, history);
    char path[BASE_DIRECTORY_SIZE + 64];
    if (!FormatRowFilePath(path, sizeof path, history->startTime)) return false;
    FILE* file = fopen(path, "r");
    if (file == NULL) return false;

    SkipLine(file);
    char line[ROW_LINE_SIZE];
    while (ReadLine(file, line) && ReadRowFileLine(&reading, line)) {
    }
    fclose(file);
    if (FinishRowFileReading(&reading)) return true;
    if (rowFileNotValid != NULL) rowFileNotValid(path);
    return false;
}

void FormatEntryDate(char* buffer, int32_t startTime) {
    time_t seconds = startTime;
    const struct tm* local = localtime(&seconds);
    if (local == NULL || strftime(buffer, ENTRY_DATE_SIZE, "%d %b %Y  %I:%M %p", local) == 0)
        buffer[0] = '\0';
}
