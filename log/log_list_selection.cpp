// Selection, caret and anchor of the rowing log's rows, as mouse and keys change them.
#include "log/log_list_selection.h"

#include <string.h>

#include "log/log_catalog.h"
#include "log/log_list_layout.h"
#include "log/log_list_state.h"

static int Smaller(int a, int b) {
    return a < b ? a : b;
}
static int Larger(int a, int b) {
    return a > b ? a : b;
}

static bool IsRow(int row) {
    return row >= 0 && row < logEntryCount;
}

void ClearSelection() {
    memset(logList.selected, 0, sizeof logList.selected);
}

void SelectRow(int row) {
    if (IsRow(row)) logList.selected[logList.displayOrder[row]] = 1;
}

void SelectRows(int a, int b) {
    int last = Smaller(Larger(a, b), logEntryCount - 1);
    for (int row = Larger(Smaller(a, b), 0); row <= last; row++) SelectRow(row);
}

bool IsRowSelected(int row) {
    return IsRow(row) && logList.selected[logList.displayOrder[row]] != 0;
}

int CountSelectedRows() {
    int count = 0;
    for (int row = 0; row < logEntryCount; row++) count += IsRowSelected(row) ? 1 : 0;
    return count;
}

int RowAtPoint(int x, int y) {
    int below = y - logList.headerHeight;
    if (below < 0 || x + logList.horizontal.position >= TotalColumnWidth()) return -1;
    int row = below / LOG_ROW_PITCH + logList.vertical.position;
    return IsRow(row) ? row : -1;
}

void LeftClickRow(int row, bool ctrl, bool shift) {
    if (!IsRow(row)) {
        if (!ctrl && !shift) ClearSelection();
        return;
    }
    if (ctrl && shift) {
        SelectRows(logList.caretRow, row);
    } else if (ctrl) {
        int32_t& flag = logList.selected[logList.displayOrder[row]];
        flag = flag ? 0 : 1;
        logList.anchorRow = row;
    } else if (shift) {
        ClearSelection();
        if (logList.anchorRow == -1) logList.anchorRow = row;
        SelectRows(logList.anchorRow, row);
    } else {
        ClearSelection();
        SelectRow(row);
        logList.anchorRow = row;
    }
    logList.caretRow = row;
}

bool RightClickRow(int row, bool ctrl, bool shift) {
    if (ctrl || shift) return CountSelectedRows() > 0;
    ClearSelection();
    SelectRow(row);
    logList.caretRow = row;
    logList.anchorRow = row;
    return true;
}

void SpaceKey(bool ctrl) {
    if (!IsRow(logList.caretRow)) return;
    int32_t& flag = logList.selected[logList.displayOrder[logList.caretRow]];
    flag = ctrl ? !flag : 1;
}

int CaretKeyTarget(CaretKey key, int caret, int topRow, int page, int count) {
    switch (key) {
    case CARET_HOME: return 0;
    case CARET_END: return count - 1;
    case CARET_PAGE_UP: return caret == topRow ? Larger(0, caret - page) : topRow;
    case CARET_PAGE_DOWN:
        // A page less one row, so the former last row becomes the new top row.
        if (caret == topRow + page - 1) return Smaller(count - 1, caret + page - 1);
        return Smaller(count - 1, topRow + page - 1);
    case CARET_UP: return Larger(0, caret - 1);
    case CARET_DOWN: return Smaller(count - 1, caret + 1);
    }
    return caret;
}

int MoveCaret(CaretKey key, bool ctrl, bool shift) {
    int top = logList.vertical.position, page = logList.vertical.page;
    int caret = CaretKeyTarget(key, logList.caretRow, top, page, logEntryCount);
    logList.caretRow = caret;
    if (!ctrl || shift) ClearSelection();
    if (shift) {
        SelectRows(logList.anchorRow, caret);
    } else if (!ctrl) {
        logList.anchorRow = caret;
        SelectRow(caret);
    }
    if (caret < top) return caret;
    if (caret >= top + page) return caret - page + 1;
    return -1;
}
