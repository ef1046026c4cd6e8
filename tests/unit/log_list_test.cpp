// The rowing log's window-free parts: selection and caret keys, sorting, fitting, cutting,
// cell texts, the delete walk and the results a print covers.
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "log/log_list_cells.h"
#include "log/log_list_delete.h"
#include "log/log_list_layout.h"
#include "log/log_list_rows.h"
#include "log/log_list_selection.h"
#include "log/log_list_sort.h"
#include "print/print_selection.h"

namespace {

// Rows in slot order, started at 1000 + slot, nothing selected; a page of 14 rows from the top.
void Fill(int count, const LogEntry& entry = {1, 1, 0, 0, 1}) {
    logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
    logList.caretRow = logList.anchorRow = -1;
    logEntryCount = count;
    logList.vertical = {0, count - 1, 14, 0};
    for (int r = 0; r < count; r++) logList.displayOrder[r] = r + 1, logEntries[r + 1] = entry;
    for (int slot = 1; slot <= count; slot++) logEntries[slot].startTime = 1000 + slot;
    ClearSelection();
}

std::vector<int> Selected() {
    std::vector<int> rows;
    for (int r = 0; r < logEntryCount; r++) if (IsRowSelected(r)) rows.push_back(r);
    return rows;
}

std::vector<int> Order() {
    return std::vector<int>(logList.displayOrder, logList.displayOrder + logEntryCount);
}

TEST(LogListSelection, ClicksKeysAndSpaceInSequence) {
    Fill(40);
    enum { CLICK, KEY, SPACE };
    const struct {
        int action, arg; bool ctrl, shift; std::vector<int> selected; int caret, top;
    } steps[] = {  // arg: the row clicked or the key; top: the row scrolled to the top, or -1
        {CLICK, 3, false, false, {3}, 3, -1},
        {CLICK, 7, false, true, {3, 4, 5, 6, 7}, 7, -1},
        {CLICK, 5, true, false, {3, 4, 6, 7}, 5, -1},          // Ctrl flips 5 and anchors there
        {CLICK, 9, true, true, {3, 4, 5, 6, 7, 8, 9}, 9, -1},  // Ctrl+Shift adds from the anchor
        {CLICK, 1, false, true, {1, 2, 3, 4, 5}, 1, -1},       // Shift: from the anchor, alone
        {CLICK, -1, false, false, {}, 1, -1},                  // below the rows: clears
        {KEY, CARET_PAGE_DOWN, false, false, {13}, 13, -1},
        {KEY, CARET_PAGE_DOWN, false, false, {26}, 26, 13},  // a page less one row
        {KEY, CARET_PAGE_UP, false, false, {13}, 13, -1},    // first to the top row
        {KEY, CARET_PAGE_UP, false, false, {0}, 0, 0},
        {KEY, CARET_DOWN, false, true, {0, 1}, 1, -1},
        {KEY, CARET_DOWN, true, false, {0, 1}, 2, -1},  // Ctrl moves the frame only
        {SPACE, 0, true, false, {0, 1, 2}, 2, -1},      // Ctrl+Space flips
        {SPACE, 0, true, false, {0, 1}, 2, -1},
        {SPACE, 0, false, false, {0, 1, 2}, 2, -1},  // Space only marks
        {KEY, CARET_END, false, false, {39}, 39, 26},
        {KEY, CARET_PAGE_UP, false, false, {26}, 26, -1},
        {KEY, CARET_PAGE_UP, false, false, {12}, 12, 12},  // a whole page from the top row
        {KEY, CARET_HOME, false, false, {0}, 0, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        if (s.action == CLICK) LeftClickRow(s.arg, s.ctrl, s.shift);
        if (s.action == SPACE) SpaceKey(s.ctrl);
        int top = s.action == KEY ? MoveCaret((CaretKey)s.arg, s.ctrl, s.shift) : -1;
        EXPECT_EQ(top, s.top);
        if (top >= 0) logList.vertical.position = top;
        EXPECT_EQ(logList.caretRow, s.caret);
        EXPECT_EQ(Selected(), s.selected);
    }
    // A right click with a modifier opens the menu only over a selection.
    ClearSelection();
    EXPECT_FALSE(RightClickRow(5, true, false));
    EXPECT_TRUE(RightClickRow(5, false, false));
    // Opened afresh, rows come in the sort order from slot 1, the caret on the first.
    logList.anchorRow = -1;
    RebuildDisplayOrder();
    EXPECT_EQ(Order()[0], 1);
    EXPECT_EQ(Order().back(), 40);
    EXPECT_EQ(logList.caretRow, 0);
}

TEST(LogListSort, HeaderClicksWithTieBreaksAndTheCaretFollowing) {
    Fill(4);
    const LogEntry rows[] = {{300, 500, 0, 0, 2000}, {100, 400, 0, 0, 1000},
                             {200, 400, 0, 0, 2000}, {400, 500, 0, 0, 999.5f}};
    std::copy(rows, rows + 4, logEntries + 1);
    logList.caretRow = 2;  // slot 3
    logList.selected[3] = 1;
    const std::pair<int, std::vector<int>> clicks[] = {  // column, order afterwards
        {0, {4, 1, 3, 2}},  // Date, first click of a run: newest first
        {0, {2, 3, 1, 4}},
        {1, {4, 2, 3, 1}},  // Distance: 999.5 before 1000; equal distances by date ascending
        {1, {1, 3, 2, 4}},  // descending on both columns
        {2, {2, 3, 4, 1}},  // Time: equal times by distance
    };
    for (const auto& c : clicks) {
        SortByColumn(c.first);
        ASSERT_EQ(Order(), c.second) << &c - clicks;
        EXPECT_EQ(logList.displayOrder[logList.caretRow], 3);
        EXPECT_TRUE(IsRowSelected(logList.caretRow));
    }
    // Rows tied on both columns come out in the order the partition steps leave them.
    Fill(7);
    logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 2;  // the time
    SortDisplayOrder(logList.displayOrder, 0, 6);
    EXPECT_EQ(Order(), (std::vector<int>{4, 1, 5, 3, 6, 2, 7}));
}

TEST(LogListLayout, RowsLieBelowTheHeaderUpToTheLastColumnAsScrolledAndWheelPartsAddUp) {
    Fill(40);
    const struct { int header, top, left, x, y, row; } clicks[] = {
        {17, 0, 0, 30, 16, -1}, {17, 0, 0, 30, 36, 0},     {40, 10, 0, 30, 60, 11},
        {40, 0, 0, 499, 45, 0}, {17, 30, 0, 30, 217, -1},  {40, 0, 120, 380, 45, -1},
    };
    for (const auto& c : clicks) {
        logList.headerHeight = c.header, logList.vertical.position = c.top;
        logList.horizontal.position = c.left;
        EXPECT_EQ(RowAtPoint(c.x, c.y), c.row) << &c - clicks;
    }
    LogRect bar = RowFrame(2);  // scrolled as the last click: it ends at the last column
    EXPECT_EQ(std::vector<int>({bar.left, bar.top, bar.right, bar.bottom}),
              std::vector<int>({-115, 80, 380, 100}));
    int remainder = 0, rows = 0;  // notches of 120 at 3 rows, forward scrolls up
    for (int delta : {-20, -20, -50, 10, 120}) rows += WheelRows(&remainder, delta, 3);
    EXPECT_EQ(rows, 2 - 3);  // a turn back drops the part left over
}

TEST(LogListLayout, FittingDividersColoursCutTextsAndEachColumnsField) {
    int32_t natural[] = {130, 60, 70, 70, 60}, fitted[5];
    EXPECT_EQ(FitColumnWidths(natural, 300, fitted), 390);
    EXPECT_EQ(std::vector<int>(fitted, fitted + 5), (std::vector<int>{95, 44, 51, 51, 44}));
    std::copy(fitted, fitted + 5, logList.columnWidths);
    EXPECT_EQ(ColumnLeft(2), 95 + 44);
    EXPECT_EQ(VerticalPage(293), 14);  // a pane 293 pixels high pages by 14 rows
    EXPECT_EQ(SetColumnWidth(2, 3), 10);
    EXPECT_EQ(InvertColour(10 + 256 * 36 + 65536 * 106), 245u + 256 * 219 + 65536 * 149);
    char date[LOG_CELL_SIZE] = "12 Mar 2008  07:15 AM", pace[LOG_CELL_SIZE] = "1:45.00";
    // A font whose characters are narrower than its average of 8 pixels.
    auto sixPerChar = [](const char* text, void*) { return 6 * (int)strlen(text); };
    CutCellText(date, sixPerChar(date, NULL), 100, 8, sixPerChar, NULL);
    EXPECT_STREQ(date, "12 Mar 200...");  // 100/8 - 2 characters
    CutCellText(pace, sixPerChar(pace, NULL), 20, 8, sixPerChar, NULL);
    EXPECT_STREQ(pace, "1...");  // 20/8 - 2 = 0: the first character still
    Fill(1, {1, 42000, 95, 10500, 1999.6f});
    const char* expected[] = {"2000", "7:00.00", "1:45.00", "95"};
    for (int column = 1; column < 5; column++) {
        char text[LOG_CELL_SIZE] = "";
        FormatLogCell(text, sizeof text, 0, column);
        EXPECT_STREQ(text, expected[column - 1]) << column;
    }
}

TEST(LogListSelected, ADeletedFileThatStaysKeepsItsRowAndPrintsGoInDisplayOrder) {
    Fill(5);
    for (int slot : {1, 2, 4, 5}) logList.selected[slot] = 1;
    char failed[256];
    auto allButTwo = [](const char* path) { return strstr(path, "1002.csv") == NULL; };
    EXPECT_EQ(DeleteSelectedRows(allButTwo, failed, sizeof failed), 1);
    EXPECT_NE(strstr(failed, "1002.csv\n"), nullptr);
    EXPECT_EQ(Order(), (std::vector<int>{3, 2}));  // the last row moves into a deleted one
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    Fill(4);
    const int order[] = {4, 2, 0, MAX_LOG_ENTRIES + 1, 3, 1, -7};
    for (int row = 0; row < 7; ++row) logList.displayOrder[row] = order[row];
    for (int slot : {0, 1, 2, 4}) logList.selected[slot] = 1;
    int32_t found[MAX_LOG_ENTRIES];
    int count = SelectedStartTimes(logList, logEntries, 7, found);
    EXPECT_EQ(std::vector<int32_t>(found, found + count), (std::vector<int32_t>{1004, 1002, 1001}));
    EXPECT_FALSE(PrintNeedsConfirmation(5));
    EXPECT_TRUE(PrintNeedsConfirmation(6));
    char question[PRINT_TEXT_SIZE];
    FormatPrintQuestion(question, sizeof question, 6);
    EXPECT_STREQ(question, "Do you really want to print 6 results at once?");
}

}  // namespace
