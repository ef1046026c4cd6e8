// Cell texts: the entry's date, whole metres, times as the panel shows them, calories.
#include "log/log_list_cells.h"

#include <stdio.h>

#include "display/format_time.h"
#include "log/log_catalog.h"
#include "log/log_list_state.h"
#include "log/row_file_loader.h"

void FormatLogCell(char* buffer, size_t size, int row, int column) {
    if (row < 0 || row >= logEntryCount || size == 0) return;
    int32_t slot = logList.displayOrder[row];
    if (slot < 1 || slot > MAX_LOG_ENTRIES) return;
    const LogEntry& entry = logEntries[slot];
    char date[ENTRY_DATE_SIZE] = "";
    switch (column) {
    case 0:
        FormatEntryDate(date, entry.startTime);
        snprintf(buffer, size, "%s", date);
        break;
    case 1: snprintf(buffer, size, "%.0f", entry.distance); break;
    case 2: snprintf(buffer, size, "%s", FormatTime(entry.workTime)); break;
    case 3: snprintf(buffer, size, "%s", FormatTime(entry.pace500)); break;
    case 4: snprintf(buffer, size, "%i", (int)entry.calories); break;
    default: break;
    }
}
