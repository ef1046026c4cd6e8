// The list pane's sorting by header click, its right-click menu, and View, Send, Print and
// Delete on the selected rows.
#include "log/log_list_pane.h"

#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

#include "export/export_results.h"
#include "boat/pace_boat_menu.h"
#include "log/entry_window.h"
#include "log/log_list_delete.h"
#include "log/log_list_rows.h"
#include "log/log_list_selection.h"
#include "log/log_list_sort.h"
#include "log/row_file_loader.h"
#include "logbook/online_logbook.h"
#include "print/print_results.h"
#include "resources/resource.h"
#include "upload/upload_results.h"

TileWindowsFunction tileEntryWindows = TileWindows;

static const int MAX_TILED = 6;
static const int MAX_ENTRY_WIDTH = 610;

void OnLogHeaderClick(HWND pane, int column) {
    SortByColumn(column);
    RECT rect;
    GetClientRect(pane, &rect);
    rect.top = logList.headerHeight;
    InvalidateRect(pane, &rect, TRUE);
}

void OnLogRightButtonDown(HWND pane, WPARAM flags, LPARAM point) {
    int x = LOWORD(point);
    int row = RowAtPoint(x, HIWORD(point));
    if (row < 0) return;
    if (!RightClickRow(row, (flags & MK_CONTROL) != 0, (flags & MK_SHIFT) != 0)) return;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_LOG_VIEW, "View");
    AppendMenuA(menu, MF_STRING, IDM_LOG_SEND, "Send");
    AppendMenuA(menu, MF_STRING, IDM_LOG_PRINT, "Print");
    AppendMenuA(menu, MF_STRING, IDM_LOG_DELETE, "Delete");
    AppendMenuA(menu, MF_STRING, IDM_LOG_EXPORT, "Export...");
    AppendMenuA(menu, MF_STRING, IDM_LOG_SEND_LOGBOOK, "Send to Logbook");
    if (CountSelectedRows() == 1) AppendMenuA(menu, MF_STRING, IDM_LOG_RACE, "Race");
    InvalidateListArea(pane);
    POINT screen = {x, (int)HIWORD(point)};
    ClientToScreen(pane, &screen);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, pane, NULL);
    DestroyMenu(menu);
}

static bool Confirm(HWND pane, const char* format, int count) {
    char question[128];
    snprintf(question, sizeof question, format, count);
    return MessageBoxA(pane, question, "Confirm", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// Loads the entry's row file and opens it in an entry window; NULL when it does not load.
static HWND OpenEntry(HWND pane, const LogEntry& entry) {
    RECT client;
    GetClientRect(pane, &client);
    StrokeHistory* history = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
    if (history == NULL) return NULL;
    history->startTime = entry.startTime;
    if (!LoadRowFile(history)) {
        free(history);
        return NULL;
    }
    int width = client.right < MAX_ENTRY_WIDTH ? client.right : MAX_ENTRY_WIDTH;
    return CreateEntryWindow(pane, history, 10, 30, width, client.bottom);
}

static void ViewSelection(HWND pane) {
    int count = CountSelectedRows();
    if (count > 10 && !Confirm(pane, "Do you really want to open %i entries at once?", count))
        return;
    HWND kept[MAX_TILED];
    int opened = 0;
    for (int row = 0; row < logEntryCount; row++) {
        if (!IsRowSelected(row)) continue;
        HWND window = OpenEntry(pane, logEntries[logList.displayOrder[row]]);
        if (window == NULL) continue;
        if (opened < MAX_TILED) kept[opened] = window;
        opened++;
    }
    // No windows must mean no tiling: a tiling of no listed windows arranges every window
    // on the desktop.
    if (opened >= 1 && opened <= MAX_TILED)
        tileEntryWindows(NULL, MDITILE_VERTICAL, NULL, opened, kept);
}

// The selected entries in display order, for the two ways of sending them.
static int ListSelection(LogEntry** list) {
    int count = 0;
    for (int row = 0; row < logEntryCount; row++) {
        if (IsRowSelected(row)) list[count++] = &logEntries[logList.displayOrder[row]];
    }
    return count;
}

static void SendSelection(bool toLogbook) {
    static LogEntry* list[MAX_LOG_ENTRIES];
    const int count = ListSelection(list);
    if (toLogbook) SendToLogbook(list, count);
    else UploadResults(list, count);
}

// Deleted row files go to the Recycle Bin, so that a Delete given by mistake can be undone
// there. The shell recycles only full paths (a relative one is deleted for good), given as a
// list that ends in two NULs. A file that is already gone counts as deleted: it is what the
// user asked for.
static bool DeleteRowFile(const char* path) {
    char list[MAX_PATH + 1] = "";
    DWORD length = GetFullPathNameA(path, MAX_PATH, list, NULL);
    if (length == 0 || length >= MAX_PATH) return false;
    list[length + 1] = 0;
    if (GetFileAttributesA(list) == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list;
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    int failed = SHFileOperationA(&operation);
    return failed == 0 && !operation.fAnyOperationsAborted &&
           GetFileAttributesA(list) == INVALID_FILE_ATTRIBUTES;
}

static void DeleteSelection(HWND pane) {
    int count = CountSelectedRows();
    if (count > 1 && !Confirm(pane, "Do you really want to delete these %i results?", count))
        return;
    static char failedPaths[4096];
    int failures = DeleteSelectedRows(DeleteRowFile, failedPaths, sizeof failedPaths);
    NoteRowsDeleted();
    SortDisplayOrder(logList.displayOrder, 0, logEntryCount - 1);
    InvalidateRect(pane, NULL, TRUE);
    if (failures == 0) return;
    static char message[sizeof failedPaths + 64];
    snprintf(message, sizeof message, "These row files could not be deleted:\n\n%s", failedPaths);
    MessageBoxA(pane, message, "Error", MB_ICONEXCLAMATION | MB_OK);
}

bool RunLogCommand(HWND pane, int id) {
    switch (id) {
    case IDM_LOG_PRINT: PrintResults(pane, NULL); return true;
    case IDM_LOG_VIEW: ViewSelection(pane); return true;
    case IDM_LOG_DELETE: DeleteSelection(pane); return true;
    case IDM_LOG_SEND: SendSelection(false); return true;
    case IDM_LOG_SEND_LOGBOOK: SendSelection(true); return true;
    case IDM_LOG_EXPORT: ExportSelectedResults(pane); return true;
    case IDM_LOG_RACE: RaceSelectedWorkout(pane); return true;
    }
    return false;
}
