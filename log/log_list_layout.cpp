// The rowing log pane's sizes and cut texts.
#include "log/log_list_layout.h"

#include <string.h>

#include "log/log_list_state.h"

static const int MIN_COLUMN_WIDTH = 10;

int VerticalPage(int clientHeight) {
    return (clientHeight + 7) / LOG_ROW_PITCH - 1;
}

int FitColumnWidths(const int32_t naturalWidths[], int listRight, int32_t columnWidths[]) {
    int total = 0;
    for (int c = 0; c < LOG_COLUMNS; c++) total += naturalWidths[c];
    int excess = total - listRight + 16;
    if (excess < 0) excess = 0;
    for (int c = 0; c < LOG_COLUMNS; c++) {
        int width = total > 0 ? naturalWidths[c] - excess * naturalWidths[c] / total : 0;
        // A pane narrower than its scroll bar (a frame shrunk to nothing) would otherwise
        // give columns of negative width.
        columnWidths[c] = width < MIN_COLUMN_WIDTH ? MIN_COLUMN_WIDTH : width;
    }
    return total;
}

int SetColumnWidth(int column, int width) {
    if (width < MIN_COLUMN_WIDTH) width = MIN_COLUMN_WIDTH;
    int delta = width - logList.columnWidths[column];
    logList.columnWidths[column] = width;
    int maximum = logList.horizontal.maximum + delta;
    logList.horizontal.maximum = maximum > 0 ? maximum : 0;
    return width;
}

int ColumnLeft(int column) {
    int left = 0;
    for (int c = 0; c < column && c < LOG_COLUMNS; c++) left += logList.columnWidths[c];
    return left;
}

int TotalColumnWidth() {
    return ColumnLeft(LOG_COLUMNS);
}

LogRect RowFrame(int row) {
    int left = 5 - logList.horizontal.position;
    int top = logList.headerHeight + (row - logList.vertical.position) * LOG_ROW_PITCH;
    return {left, top, TotalColumnWidth() - logList.horizontal.position, top + LOG_ROW_PITCH};
}

int WheelRows(int* remainder, int delta, int linesPerNotch) {
    const int NOTCH = 120;
    if (linesPerNotch > MAX_LOG_ENTRIES) linesPerNotch = MAX_LOG_ENTRIES;
    if (linesPerNotch <= 0 || (int64_t)*remainder * delta < 0) *remainder = 0;
    if (linesPerNotch <= 0) return 0;
    *remainder += delta * linesPerNotch;
    int rows = *remainder / NOTCH;
    *remainder -= rows * NOTCH;
    return -rows;  // the wheel turned forward (away from the user) scrolls up
}

int CutCellText(char* text, int width, int columnWidth, int averageCharWidth, TextMeasure measure,
                void* context) {
    if (averageCharWidth < 1) averageCharWidth = 1;
    for (int k = 2; width > columnWidth - 10; k++) {
        int n = columnWidth / averageCharWidth - k;
        if (n < 1) {
            if (text[0] != 0) text[1] = 0;
            strcat(text, "...");
            return width;
        }
        if ((int)strlen(text) >= n) {
            strcpy(text + n, "...");
            width = measure(text, context);
        }
    }
    return width;
}

uint32_t InvertColour(uint32_t colour) {
    uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    return (255 - red) + 256 * (255 - green) + 65536 * (255 - blue);
}
