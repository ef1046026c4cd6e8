// The list pane's painting, its scrolling in both directions and the header's dividers.
#include "log/log_list_pane.h"

#include <commctrl.h>
#include <limits.h>  // WHEEL_PAGESCROLL is UINT_MAX
#include <string.h>

#include "log/log_list_cells.h"
#include "log/log_list_layout.h"

static int Smaller(int a, int b) {
    return a < b ? a : b;
}

static int MeasureText(const char* text, void* context) {
    SIZE size = {};
    GetTextExtentPoint32A((HDC)context, text, (int)strlen(text), &size);
    return size.cx;
}

// Pen and brush of one colour fill a rectangle whole; Rectangle excludes right and bottom.
static void Fill(HDC dc, int left, int top, int right, int bottom) {
    if (right > left && bottom > top) Rectangle(dc, left, top, right, bottom);
}

// A row's text band lies 3 pixels below its top, one font height high; the bars above and
// below it and the gaps between its cells are filled in the row's colour up to the last column.
static void PaintRow(HDC dc, int row, int fontHeight, int paintRight, int averageCharWidth,
                     HPEN highlightPen, HBRUSH highlightBrush) {
    bool marked = !logList.focusLost && logList.selected[logList.displayOrder[row]];
    SelectObject(dc, marked ? (HGDIOBJ)highlightPen : GetStockObject(WHITE_PEN));
    SelectObject(dc, marked ? (HGDIOBJ)highlightBrush : GetStockObject(WHITE_BRUSH));
    SetBkColor(dc, GetSysColor(marked ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(marked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    LogRect frame = RowFrame(row);
    int bandTop = frame.top + 3, bandBottom = bandTop + fontHeight, right = frame.right;
    Fill(dc, frame.left, frame.top, right, bandTop);
    Fill(dc, frame.left, bandBottom, right, bandBottom + 4);
    int x = -logList.horizontal.position;
    for (int c = 0; c < LOG_COLUMNS && x + 5 <= paintRight; c++) {
        int width = logList.columnWidths[c];
        char text[LOG_CELL_SIZE] = "";
        FormatLogCell(text, sizeof text - 4, row, c);
        int w = MeasureText(text, dc);
        if (w > width - 10) w = CutCellText(text, w, width, averageCharWidth, MeasureText, dc);
        RECT cell = {x + 5, bandTop, x + width - 5, bandBottom};
        DrawTextA(dc, text, -1, &cell, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        Fill(dc, Smaller(x + width - 5, x + 5 + w), bandTop, Smaller(x + width + 5, right),
             bandBottom);
        x += width;
    }
}

static void DrawCaretFrame(HDC dc) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, GetStockObject(WHITE_PEN));
    if (logList.caretRow >= logEntryCount) {
        logList.caretRow = -1;  // its row was deleted
        return;
    }
    int offset = logList.caretRow - logList.vertical.position;
    if (logList.focusLost || offset < 0 || offset > logList.vertical.page) return;
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    HPEN dotted = CreatePen(PS_DOT, 1, highlight);
    SelectObject(dc, dotted);
    // The gaps of the dotted line show the background colour: the complement stays visible
    // on white and on the highlight alike.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, InvertColour(highlight));
    LogRect frame = RowFrame(logList.caretRow);
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    DeleteObject(dotted);
}

void OnLogPaint(HWND pane) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(pane, &paint);
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    HPEN pen = CreatePen(PS_SOLID, 1, highlight);
    HBRUSH brush = CreateSolidBrush(highlight);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);

    const LogRect& area = logList.listArea;
    Fill(dc, RowFrame(0).right, area.top, area.right, area.bottom);
    for (int row = logList.vertical.position; row >= 0 && row < logEntryCount; row++) {
        PaintRow(dc, row, metrics.tmHeight, paint.rcPaint.right, metrics.tmAveCharWidth, pen,
                 brush);
        if (RowFrame(row + 1).top + 3 > area.bottom) break;
    }

    if (logEntryCount - 1 != logList.vertical.maximum) {
        int oldTop = logList.vertical.position;
        logList.vertical.maximum = logEntryCount - 1;
        ApplyScrollState(pane, SB_VERT, &logList.vertical);
        if (logList.vertical.position != oldTop) InvalidateRect(pane, NULL, TRUE);
    }
    DrawCaretFrame(dc);

    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    EndPaint(pane, &paint);
    DeleteObject(pen);
    DeleteObject(brush);
}

// Scrolls the rows to a new top row, clamped to the list.
static void ScrollRowsTo(HWND pane, int top) {
    LogScrollState& state = logList.vertical;
    int old = state.position;
    state.position = top;
    ApplyScrollState(pane, SB_VERT, &state);
    int moved = old - state.position;
    if (moved == 0) return;
    const LogRect& area = logList.listArea;
    RECT rect = {area.left, area.top, area.right, area.bottom};
    ScrollWindowEx(pane, 0, moved * LOG_ROW_PITCH, &rect, &rect, NULL, NULL,
                   SW_INVALIDATE | SW_ERASE);
}

// The rows follow the thumb while it is dragged, not only where it is let go.
void OnLogVerticalScroll(HWND pane, WPARAM wParam) {
    const LogScrollState& state = logList.vertical;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollRowsTo(pane, state.position - 1); break;
    case SB_LINEDOWN: ScrollRowsTo(pane, state.position + 1); break;
    case SB_PAGEUP: ScrollRowsTo(pane, state.position - state.page); break;
    case SB_PAGEDOWN: ScrollRowsTo(pane, state.position + state.page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollRowsTo(pane, HIWORD(wParam)); break;
    case SB_TOP: ScrollRowsTo(pane, 0); break;
    case SB_BOTTOM: ScrollRowsTo(pane, state.maximum); break;
    }
}

void OnLogWheel(HWND pane, int delta) {
    static int remainder;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int perNotch = lines == WHEEL_PAGESCROLL ? logList.vertical.page : (int)lines;
    int rows = WheelRows(&remainder, delta, perNotch);
    if (rows != 0) ScrollRowsTo(pane, logList.vertical.position + rows);
}

void OnLogHorizontalScroll(HWND pane, WPARAM wParam) {
    LogScrollState& state = logList.horizontal;
    int old = state.position;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: state.position -= 20; break;
    case SB_LINERIGHT: state.position += 20; break;
    case SB_PAGELEFT: state.position -= state.page; break;
    case SB_PAGERIGHT: state.position += state.page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: state.position = HIWORD(wParam); break;
    default: break;
    }
    ApplyScrollState(pane, SB_HORZ, &state);
    int moved = old - state.position;
    if (moved != 0)
        ScrollWindowEx(pane, moved, 0, NULL, NULL, NULL, NULL,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

// Invalidates the columns from column i rightwards, below the header.
static void InvalidateColumnsFrom(HWND pane, int column, BOOL erase) {
    RECT rect;
    GetClientRect(pane, &rect);
    rect.left = ColumnLeft(column) - logList.horizontal.position;
    rect.top = logList.headerHeight;
    InvalidateRect(pane, &rect, erase);
}

static void EndDividerDrag(HWND pane, int column, bool doubleClick) {
    int old = logList.horizontal.position;
    ApplyScrollState(pane, SB_HORZ, &logList.horizontal);
    MoveLogHeader(pane);
    bool moved = logList.horizontal.position != old;
    if (!doubleClick) {
        if (moved) InvalidateRect(pane, NULL, TRUE);
    } else if (moved) {
        RECT rect;
        GetClientRect(pane, &rect);
        rect.top = logList.headerHeight;
        InvalidateRect(pane, &rect, TRUE);
    } else {
        InvalidateColumnsFrom(pane, column, FALSE);
    }
}

void OnLogHeaderNotify(HWND pane, NMHDR* notice) {
    NMHEADERA* header = (NMHEADERA*)notice;
    int column = header->iItem;
    if (notice->code == HDN_ITEMCLICKA || notice->code == HDN_ITEMCLICKW) {
        if (column >= 0 && column < LOG_COLUMNS) OnLogHeaderClick(pane, column);
        return;
    }
    if (column < 0 || column >= LOG_COLUMNS) return;
    switch (notice->code) {
    case HDN_TRACKA:
    case HDN_TRACKW:
        if (header->pitem == NULL) return;
        // A column is never narrower than 10 pixels; the header is told so too.
        header->pitem->cxy = SetColumnWidth(column, header->pitem->cxy);
        InvalidateColumnsFrom(pane, column, FALSE);
        return;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW: EndDividerDrag(pane, column, false); return;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: {
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        item.cxy = logList.naturalWidths[column];
        SendMessageA(notice->hwndFrom, HDM_SETITEMA, column, (LPARAM)&item);
        SetColumnWidth(column, logList.naturalWidths[column]);
        EndDividerDrag(pane, column, true);
        return;
    }
    }
}
