// Display order rebuilt from the catalog, and a copy of the catalog as the rows show it.
#include "log/log_list_rows.h"

#include <stdlib.h>
#include <string.h>

#include "log/log_catalog.h"
#include "log/log_list_selection.h"
#include "log/log_list_sort.h"
#include "log/log_list_state.h"

// The catalog as it was when the rows were built. Entries are compared whole: a scan that
// finds the same files in the same order leaves the rows, the selection and the caret valid.
static LogEntry shownEntries[MAX_LOG_ENTRIES + 1];
static int shownSlots;     // slots 1 to shownSlots were copied
static int expectedCount;  // logEntryCount as the rows left it
static bool shown;

bool CatalogChangedSinceShown() {
    if (!shown) return true;
    if (logEntryCount != expectedCount) return true;
    return memcmp(&shownEntries[1], &logEntries[1], sizeof(LogEntry) * shownSlots) != 0;
}

void NoteRowsDeleted() {
    expectedCount = logEntryCount;
}

// The start time of the entry a row shows, found in the copy because the slot may stand
// for another file after a scan.
static bool ShownStartTime(int row, int32_t* startTime) {
    if (!shown || row < 0 || row >= expectedCount) return false;
    int32_t slot = logList.displayOrder[row];
    if (slot < 1 || slot > shownSlots) return false;
    *startTime = shownEntries[slot].startTime;
    return true;
}

static void ListCatalogSorted() {
    for (int row = 0; row < logEntryCount; row++) logList.displayOrder[row] = row + 1;
    SortDisplayOrder(logList.displayOrder, 0, logEntryCount - 1);
}

static void RememberShown() {
    memcpy(&shownEntries[1], &logEntries[1], sizeof(LogEntry) * logEntryCount);
    shownSlots = expectedCount = logEntryCount;
    shown = true;
}

// The first row that shows the workout started at startTime, or -1.
static int RowOf(int32_t startTime) {
    for (int row = 0; row < logEntryCount; row++)
        if (logEntries[logList.displayOrder[row]].startTime == startTime) return row;
    return -1;
}

void RebuildDisplayOrder() {
    int32_t anchorTime = 0;
    bool hadAnchor = ShownStartTime(logList.anchorRow, &anchorTime);
    ListCatalogSorted();
    if (!hadAnchor) {
        logList.caretRow = 0;
        logList.anchorRow = -1;
    } else {
        logList.caretRow = logList.anchorRow = RowOf(anchorTime);
    }
    RememberShown();
}

static int CompareTimes(const void* a, const void* b) {
    int32_t x = *(const int32_t*)a, y = *(const int32_t*)b;
    return x < y ? -1 : x > y ? 1 : 0;
}

void FollowCatalog() {
    static int32_t selectedTimes[MAX_LOG_ENTRIES];
    int count = 0;
    for (int row = 0; row < expectedCount; row++) {
        int32_t time;
        if (ShownStartTime(row, &time) && logList.selected[logList.displayOrder[row]])
            selectedTimes[count++] = time;
    }
    qsort(selectedTimes, count, sizeof *selectedTimes, CompareTimes);
    int32_t caretTime = 0, anchorTime = 0;
    bool hadCaret = ShownStartTime(logList.caretRow, &caretTime);
    bool hadAnchor = ShownStartTime(logList.anchorRow, &anchorTime);

    ClearSelection();
    ListCatalogSorted();
    for (int row = 0; row < logEntryCount; row++) {
        int32_t slot = logList.displayOrder[row];
        if (bsearch(&logEntries[slot].startTime, selectedTimes, count, sizeof *selectedTimes,
                    CompareTimes))
            logList.selected[slot] = 1;
    }
    logList.caretRow = hadCaret ? RowOf(caretTime) : -1;
    logList.anchorRow = hadAnchor ? RowOf(anchorTime) : -1;
    RememberShown();
}

void SortByColumn(int column) {
    int caret = logList.caretRow;
    int32_t slot = caret >= 0 && caret < logEntryCount ? logList.displayOrder[caret] : 0;
    logList.sortKey = logList.sortKey == column ? column + 5 : column;
    SortDisplayOrder(logList.displayOrder, 0, logEntryCount - 1);
    if (slot == 0) return;
    for (int row = 0; row < logEntryCount; row++) {
        if (logList.displayOrder[row] == slot) {
            logList.caretRow = logList.anchorRow = row;
            return;
        }
    }
}
