// Delete keeps the catalog's slots (a rescan compacts them) and shortens the list of rows.
// A file that could not be deleted keeps its row: its vanishing would look like success.
#include "log/log_list_delete.h"

#include <stdio.h>
#include <string.h>

#include "log/log_catalog.h"
#include "log/log_list_state.h"
#include "monitor/row_file.h"

static const int MAX_NAMED_FAILURES = 20;
static const size_t PATH_SIZE = 300;

static void AddFailure(char* failedPaths, size_t size, int failures, const char* path) {
    size_t used = strlen(failedPaths);
    if (used >= size) return;
    if (failures < MAX_NAMED_FAILURES)
        snprintf(failedPaths + used, size - used, "%s\n", path);
    else if (failures == MAX_NAMED_FAILURES)
        snprintf(failedPaths + used, size - used, "...\n");
}

int DeleteSelectedRows(RowFileDeleter deleter, char* failedPaths, size_t size) {
    if (size > 0) failedPaths[0] = 0;
    int failures = 0;
    for (int row = logEntryCount - 1; row >= 0; row--) {
        int32_t slot = logList.displayOrder[row];
        if (!logList.selected[slot]) continue;
        char path[PATH_SIZE];
        bool named = FormatRowFilePath(path, sizeof path, logEntries[slot].startTime);
        if (!named || !deleter(path)) {
            if (size > 0) AddFailure(failedPaths, size, failures, path);
            failures++;
            continue;
        }
        // The row moved up has been visited already, so the walk never meets it twice.
        logList.selected[slot] = 0;
        logList.displayOrder[row] = logList.displayOrder[logEntryCount - 1];
        logEntryCount--;
    }
    return failures;
}
