// The list pane's window procedure, its header, and its creation, resizing and showing.
#include "log/log_list_pane.h"

#include <commctrl.h>
#include <string.h>

#include "log/log_list_cells.h"
#include "log/log_list_layout.h"
#include "log/log_list_rows.h"
#include "log/log_list_selection.h"
#include "settings/text_table.h"

static const int COLUMN_TITLES[LOG_COLUMNS] = {TEXT_DATE, TEXT_DISTANCE, TEXT_TIME, TEXT_PACE,
                                               TEXT_CALORIES};

HWND CreateLogHeader(HWND pane) {
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(pane, GWLP_HINSTANCE);
    HWND header =
        CreateWindowExA(0, "SysHeader32", NULL, WS_CHILD | HDS_BUTTONS, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, pane, (HMENU)(INT_PTR)LOG_HEADER_ID, instance, NULL);
    SendMessageA(header, WM_SETFONT, (WPARAM)GetStockObject(ANSI_VAR_FONT), FALSE);
    RECT client;
    GetClientRect(pane, &client);
    WINDOWPOS place = {};
    HDLAYOUT layout = {&client, &place};
    SendMessageA(header, HDM_LAYOUT, 0, (LPARAM)&layout);
    SetWindowPos(header, NULL, place.x, place.y, place.cx, place.cy, SWP_NOZORDER | SWP_NOREDRAW);
    logList.headerHeight = place.cy;
    for (int c = 0; c < LOG_COLUMNS; c++) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
        item.cxy = 100;
        item.pszText = textTable[COLUMN_TITLES[c]];
        item.fmt = HDF_LEFT | HDF_STRING;
        SendMessageA(header, HDM_INSERTITEMA, c, (LPARAM)&item);
    }
    ShowWindow(header, SW_SHOW);
    return header;
}

void ApplyScrollState(HWND pane, int bar, LogScrollState* state) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = state->minimum;
    info.nMax = state->maximum;
    info.nPage = state->page > 0 ? state->page : 0;
    info.nPos = state->position;
    SetScrollInfo(pane, bar, &info, TRUE);
    info.fMask = SIF_POS;
    GetScrollInfo(pane, bar, &info);
    state->position = info.nPos;
}

void InvalidateListArea(HWND pane) {
    const LogRect& area = logList.listArea;
    RECT rect = {area.left, area.top, area.right, area.bottom};
    InvalidateRect(pane, &rect, FALSE);
}

void MoveLogHeader(HWND pane) {
    RECT client;
    GetClientRect(pane, &client);
    LogRect& place = logList.headerPlacement;
    place.left = -logList.horizontal.position;
    place.right = client.right + logList.horizontal.maximum;
    MoveWindow(GetDlgItem(pane, LOG_HEADER_ID), place.left, place.top, place.right, place.bottom,
               TRUE);
}

static void OnCreate(HWND pane) {
    CreateLogHeader(pane);
    logList.vertical.minimum = logList.horizontal.minimum = 0;
    ClearSelection();
}

static void OnSize(HWND pane) {
    int oldTop = logList.vertical.position;
    RECT client;
    GetClientRect(pane, &client);
    logList.listArea = {client.left, client.top, client.right, client.bottom};
    logList.vertical.page = VerticalPage(client.bottom);
    logList.horizontal.page = client.right;
    logList.horizontal.maximum = TotalColumnWidth();
    int oldLeft = logList.horizontal.position;
    ApplyScrollState(pane, SB_VERT, &logList.vertical);
    ApplyScrollState(pane, SB_HORZ, &logList.horizontal);
    int shift = oldLeft - logList.horizontal.position;
    if (shift != 0) ScrollWindowEx(pane, shift, 0, NULL, NULL, NULL, NULL, SW_SCROLLCHILDREN);

    RECT columns = client;
    if (TotalColumnWidth() > columns.right) columns.right = TotalColumnWidth();
    OffsetRect(&columns, -logList.horizontal.position, 0);
    WINDOWPOS place = {};
    HDLAYOUT layout = {&columns, &place};
    HWND header = GetDlgItem(pane, LOG_HEADER_ID);
    SendMessageA(header, HDM_LAYOUT, 0, (LPARAM)&layout);
    MoveWindow(header, place.x, place.y, place.cx, place.cy, TRUE);
    logList.headerPlacement = {place.x, place.y, place.cx, place.cy};
    logList.listArea.top = logList.headerHeight = place.cy;
    if (logList.vertical.position != oldTop) InvalidateListArea(pane);
}

static int MeasureText(const char* text, void* context) {
    SIZE size = {};
    GetTextExtentPoint32A((HDC)context, text, (int)strlen(text), &size);
    return size.cx;
}

static void MeasureNaturalWidths(HWND pane) {
    HDC dc = GetDC(pane);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    for (int c = 0; c < LOG_COLUMNS; c++) {
        int widest = 50;
        for (int row = 0; row < logEntryCount; row++) {
            char text[LOG_CELL_SIZE] = "";
            FormatLogCell(text, sizeof text, row, c);
            int width = MeasureText(text, dc);
            if (width > widest) widest = width;
        }
        logList.naturalWidths[c] = widest + 10;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(pane, dc);
}

static void OnShow(HWND pane) {
    logList.focusLost = false;
    RebuildDisplayOrder();
    MeasureNaturalWidths(pane);
    if (logEntryCount > 0) {
        int total =
            FitColumnWidths(logList.naturalWidths, logList.listArea.right, logList.columnWidths);
        HWND header = GetDlgItem(pane, LOG_HEADER_ID);
        for (int c = 0; c < LOG_COLUMNS; c++) {
            HDITEMA item = {};
            item.mask = HDI_WIDTH;
            item.cxy = logList.columnWidths[c];
            SendMessageA(header, HDM_SETITEMA, c, (LPARAM)&item);
        }
        logList.horizontal.maximum = total;
        ApplyScrollState(pane, SB_HORZ, &logList.horizontal);
    }
    InvalidateRect(pane, NULL, TRUE);
}

// A scan while the log is open (Update Online Log, a row file made or closed, the log's
// command given again) renumbers the catalog's slots under the rows and the selection
// flags. The rows are rebuilt, and selection, caret and anchor follow their workouts.
static void FollowRescan(HWND pane) {
    if (!CatalogChangedSinceShown()) return;
    FollowCatalog();
    InvalidateRect(pane, NULL, TRUE);
}

// A command in progress (a question open, an upload of LogEntry addresses, a print) holds
// rows and slots across its own message loops: a rescan asked for meanwhile waits for it.
static int commandsRunning;
static bool rescanWaiting;

static void Rescan(HWND pane) {
    if (commandsRunning > 0) {
        rescanWaiting = true;
        return;
    }
    rescanWaiting = false;
    ScanLogCatalog();
    FollowRescan(pane);
}

static bool RunCommand(HWND pane, int id) {
    commandsRunning++;
    bool known = RunLogCommand(pane, id);
    commandsRunning--;
    if (commandsRunning == 0 && rescanWaiting && IsWindow(pane)) Rescan(pane);
    return known;
}

static bool FromHeader(LPARAM lParam) {
    return ((NMHDR*)lParam)->idFrom == (UINT_PTR)LOG_HEADER_ID;
}

LRESULT CALLBACK LogListWndProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(pane); return 0;
    case WM_SIZE: OnSize(pane); return 0;
    case WM_SHOWWINDOW:
        if (wParam) OnShow(pane);
        return 0;
    case WM_LOG_RESCAN: Rescan(pane); return 0;
    case WM_SETFOCUS: OnLogFocus(pane, true); return 0;
    case WM_KILLFOCUS: OnLogFocus(pane, false); return 0;
    }
    // Everything below reads rows, which must match the catalog of the last scan.
    switch (message) {
    case WM_PAINT:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_NOTIFY:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_COMMAND: FollowRescan(pane); break;
    }
    switch (message) {
    case WM_PAINT: OnLogPaint(pane); return 0;
    case WM_VSCROLL: OnLogVerticalScroll(pane, wParam); return 0;
    case WM_HSCROLL: OnLogHorizontalScroll(pane, wParam); return 0;
    case WM_NOTIFY:
        if (FromHeader(lParam)) OnLogHeaderNotify(pane, (NMHDR*)lParam);
        return 0;
    case WM_LBUTTONDOWN: OnLogLeftButtonDown(pane, wParam, lParam); return 0;
    case WM_LBUTTONDBLCLK: SendMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0); return 0;
    case WM_RBUTTONDOWN: OnLogRightButtonDown(pane, wParam, lParam); return 0;
    case WM_KEYDOWN: OnLogKeyDown(pane, wParam); return 0;
    case WM_MOUSEWHEEL: OnLogWheel(pane, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_COMMAND:
        if (RunCommand(pane, LOWORD(wParam))) return 0;
        break;
    }
    return DefWindowProcA(pane, message, wParam, lParam);
}
