// The selection a print covers and the texts printing shows.
#include "print/print_selection.h"

#include <stdio.h>

int SelectedStartTimes(const LogListState& list, const LogEntry* entries, int32_t rowCount,
                       int32_t* startTimes) {
    if (rowCount > MAX_LOG_ENTRIES) rowCount = MAX_LOG_ENTRIES;
    int count = 0;
    for (int32_t row = 0; row < rowCount; ++row) {
        int32_t slot = list.displayOrder[row];
        if (slot < 1 || slot > MAX_LOG_ENTRIES || !list.selected[slot]) continue;
        startTimes[count++] = entries[slot].startTime;
    }
    return count;
}

bool PrintNeedsConfirmation(int count) {
    return count > PRINT_CONFIRM_ABOVE;
}

void FormatPrintQuestion(char* text, size_t size, int count) {
    snprintf(text, size, "Do you really want to print %i results at once?", count);
}

void FormatPrintingPage(char* text, size_t size, int page) {
    snprintf(text, size, "Printing Page %i", page);
}
