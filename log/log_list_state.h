// The rowing log's list state: display order, selection, caret, columns, sort and scrolling.
// One record for the whole run; only the selection is cleared when a list pane is created.
#pragma once
#include <stdint.h>

#include "log/log_catalog.h"

const int LOG_COLUMNS = 5;
const int LOG_ROW_PITCH = 20;

struct LogRect {
    int32_t left, top, right, bottom;
};

struct LogScrollState {
    int32_t minimum, maximum, page, position;
};

struct LogListState {
    int32_t displayOrder[MAX_LOG_ENTRIES];     // row -> catalog slot
    int32_t selected[MAX_LOG_ENTRIES + 1];     // per catalog slot, 1 = selected
    int32_t caretRow;                          // -1 = none
    int32_t anchorRow;                         // -1 = none
    int32_t columnWidths[LOG_COLUMNS];
    int32_t naturalWidths[LOG_COLUMNS];
    int32_t sortKey;  // column = sortKey % 5, descending from 5 on
    int32_t primaryColumn, secondaryColumn;
    int32_t headerHeight;
    LogRect listArea;
    LogScrollState vertical;    // unit: one row
    LogScrollState horizontal;  // unit: one pixel
    LogRect headerPlacement;    // left, top = x, y; right, bottom = width, height
    bool focusLost;
};

extern LogListState logList;
