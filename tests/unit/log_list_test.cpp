// The rowing log's window-free parts: selection, caret keys, sorting, fitting, cutting,
// cell texts, delete and following a rescan.
#include <gtest/gtest.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "log/log_catalog.h"
#include "log/log_list_cells.h"
#include "log/log_list_delete.h"
#include "log/log_list_layout.h"
#include "log/log_list_rows.h"
#include "log/log_list_selection.h"
#include "log/log_list_sort.h"
#include "log/log_list_state.h"

namespace {

void ResetList(int count) {
    logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
    logList.caretRow = logList.anchorRow = -1;
    logList.vertical = {0, count - 1, 14, 0};
    logEntryCount = count;
    for (int r = 0; r < count; r++) {
        logList.displayOrder[r] = r + 1;
        logEntries[r + 1] = {r + 1, 0, 0, 0, 0.0f};
    }
    ClearSelection();
}

std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int r = 0; r < logEntryCount; r++)
        if (IsRowSelected(r)) rows.push_back(r);
    return rows;
}

std::vector<int> Range(int a, int b) {
    std::vector<int> rows;
    for (int r = a; r <= b; r++) rows.push_back(r);
    return rows;
}

TEST(LogListSelection, ClicksWithModifiers) {
    ResetList(20);
    struct Step {
        int row;
        bool ctrl, shift;
        std::vector<int> selected;
        int anchor, caret;
    };
    std::vector<int> withoutFive = {3, 4, 6, 7};
    const Step steps[] = {
        {3, false, false, {3}, 3, 3},         {7, false, true, Range(3, 7), 3, 7},
        {5, true, false, withoutFive, 5, 5},  {9, true, true, Range(3, 9), 5, 9},
        {-1, true, false, Range(3, 9), 5, 9},  // below the rows with Ctrl: nothing
        {-1, false, false, {}, 5, 9},          // plain: clears, caret and anchor stay
    };
    for (const Step& s : steps) {
        LeftClickRow(s.row, s.ctrl, s.shift);
        EXPECT_EQ(SelectedRows(), s.selected) << s.row;
        EXPECT_EQ(logList.anchorRow, s.anchor) << s.row;
        EXPECT_EQ(logList.caretRow, s.caret) << s.row;
    }
    EXPECT_EQ(HitTestRow(19, 0), -1);
    EXPECT_EQ(HitTestRow(45, 10), 11);
    EXPECT_FALSE(RightClickRow(4, true, false));  // Ctrl, nothing selected: no menu
}

TEST(LogListSelection, CaretKeys) {
    ResetList(40);
    logList.caretRow = 0;
    struct Step {
        CaretKey key;
        bool ctrl, shift, space;
        int caret, scrollTo;
        std::vector<int> selected;
    };
    const Step steps[] = {
        {CARET_PAGE_DOWN, false, false, false, 13, -1, {13}},
        {CARET_PAGE_DOWN, false, false, false, 26, 13, {26}},
        {CARET_PAGE_UP, false, false, false, 13, -1, {13}},  // first to the top row
        {CARET_PAGE_UP, false, false, false, 0, 0, {0}},
        {CARET_UP, false, false, false, 0, -1, {0}},
        {CARET_DOWN, false, true, false, 1, -1, {0, 1}},
        {CARET_DOWN, true, false, false, 2, -1, {0, 1}},    // Ctrl moves the frame only
        {CARET_DOWN, true, false, true, 2, -1, {0, 1, 2}},  // then Ctrl-Space flips row 2
        {CARET_DOWN, true, false, true, 2, -1, {0, 1}},     // and back
        {CARET_END, false, false, false, 39, 26, {39}},
        {CARET_DOWN, false, false, false, 39, -1, {39}},
    };
    for (const Step& s : steps) {
        if (s.space) {
            SpaceKey(true);
        } else {
            int top = MoveCaret(s.key, s.ctrl, s.shift);
            if (top >= 0) logList.vertical.position = top;
            EXPECT_EQ(top, s.scrollTo) << s.caret;
        }
        EXPECT_EQ(logList.caretRow, s.caret);
        EXPECT_EQ(SelectedRows(), s.selected) << s.caret;
    }
    SpaceKey(false);
    SpaceKey(false);  // Space marks and never unmarks
    EXPECT_EQ(SelectedRows(), (std::vector<int>{39}));
}

struct Workout {
    int32_t date, time;
    float distance;
};

void FillCatalog(const std::vector<Workout>& workouts) {
    ResetList((int)workouts.size());
    for (size_t i = 0; i < workouts.size(); i++)
        logEntries[i + 1] = {workouts[i].date, workouts[i].time, 0, 0, workouts[i].distance};
}

std::vector<int> Order() {
    return std::vector<int>(logList.displayOrder, logList.displayOrder + logEntryCount);
}

TEST(LogListSort, HeaderClicksWithTieBreaksAndTheCaretFollowing) {
    FillCatalog({{300, 500, 2000}, {100, 400, 1000}, {200, 400, 2000}, {400, 500, 999.5f}});
    logList.caretRow = 2;  // slot 3
    logList.selected[3] = 1;
    struct Step {
        int column;
        std::vector<int> order;
    };
    const Step steps[] = {
        {0, {4, 1, 3, 2}},  // first Date click of a run: newest first
        {0, {2, 3, 1, 4}},
        {1, {4, 2, 3, 1}},  // 999.5 before 1000; equal distances by date ascending
        {1, {1, 3, 2, 4}},  // descending on both columns
        {2, {2, 3, 4, 1}},  // equal times by distance
    };
    for (const Step& s : steps) {
        SortByColumn(s.column);
        ASSERT_EQ(Order(), s.order) << s.column;
        EXPECT_EQ(logList.displayOrder[logList.caretRow], 3);
        EXPECT_EQ(logList.displayOrder[logList.anchorRow], 3);
        EXPECT_TRUE(IsRowSelected(logList.caretRow));
    }
    EXPECT_EQ(CompareEntries(7, 1, 2), 2);
}

// The sort as plainly recursive steps: the bounded-depth sort must give the same rows.
void ReferenceSort(int32_t* order, int low, int high) {
    if (low >= high) return;
    SwapRows(order, low, (low + high) / 2);
    int wanted = logList.sortKey >= 5 ? 3 : 1;
    int last = low;
    for (int i = low + 1; i <= high; i++) {
        int r = CompareEntries(logList.primaryColumn, order[i], order[low]);
        if (r == 2) r = CompareEntries(logList.secondaryColumn, order[i], order[low]);
        if (r == wanted) SwapRows(order, ++last, i);
    }
    SwapRows(order, low, last);
    ReferenceSort(order, low, last - 1);
    ReferenceSort(order, last + 1, high);
}

TEST(LogListSort, GivesTheRowsOfThePlainRecursionEvenWithFullTies) {
    std::mt19937 random(7);
    for (int count : {300, 5000}) {
        std::vector<Workout> workouts;
        for (int i = 0; i < count; i++)
            workouts.push_back({count == 5000 ? 1 : (int)(random() % 5), (int)(random() % 4),
                                count == 5000 ? 500.0f : (float)(random() % 3)});
        for (int key : count == 5000 ? std::vector<int>{6} : std::vector<int>{1, 6, 0, 7}) {
            FillCatalog(workouts);
            logList.sortKey = key;
            SortDisplayOrder(logList.displayOrder, 0, count - 1);
            std::vector<int> sorted = Order();
            for (int r = 0; r < count; r++) logList.displayOrder[r] = r + 1;
            ReferenceSort(logList.displayOrder, 0, count - 1);
            EXPECT_EQ(sorted, Order()) << count << " " << key;
        }
    }
}

TEST(LogListLayout, PageFittingDividersAndColours) {
    EXPECT_EQ(VerticalPage(307), 14);
    int32_t natural[] = {130, 60, 70, 70, 60}, fitted[5];
    EXPECT_EQ(FitColumnWidths(natural, 300, fitted), 390);
    EXPECT_EQ(std::vector<int>(fitted, fitted + 5), (std::vector<int>{95, 44, 51, 51, 44}));
    FitColumnWidths(natural, 600, fitted);
    EXPECT_EQ(std::vector<int>(fitted, fitted + 5), (std::vector<int>{130, 60, 70, 70, 60}));

    for (int c = 0; c < 5; c++) logList.columnWidths[c] = 100;
    logList.horizontal.maximum = 500;
    EXPECT_EQ(SetColumnWidth(2, 3), 10);
    EXPECT_EQ(logList.horizontal.maximum, 410);
    EXPECT_EQ(ColumnLeft(3), 210);
    EXPECT_EQ(InvertColour(10 + 256 * 36 + 65536 * 106), 245u + 256 * 219 + 65536 * 149);
}

int EightPerChar(const char* text, void*) {
    return 8 * (int)strlen(text);
}

TEST(LogListLayout, CutsTextsThatDoNotFit) {
    struct Case {
        const char* text;
        int column;
        const char* cut;
    };
    const Case cases[] = {
        {"12 Mar 2008  07:15 AM", 100, "12 Mar 2..."},  // 10, 9, then 8 characters
        {"1:45.00", 20, "1..."},  // 20/8 - 2 = 0: first character
        {"", 5, "..."},
    };
    for (const Case& c : cases) {
        char text[LOG_CELL_SIZE];
        strcpy(text, c.text);
        int width = EightPerChar(text, NULL);
        if (width > c.column - 10) CutCellText(text, width, c.column, 8, EightPerChar, NULL);
        EXPECT_STREQ(text, c.cut) << c.text;
    }
}

TEST(LogListCells, EachColumnShowsItsField) {
    FillCatalog({{1, 42000, 1999.6f}});
    logEntries[1].pace500 = 10500;
    logEntries[1].calories = 95;
    const char* expected[] = {"2000", "7:00.00", "1:45.00", "95", ""};
    for (int column = 1; column < 6; column++) {
        char text[LOG_CELL_SIZE] = "";
        FormatLogCell(text, sizeof text, 0, column);
        EXPECT_STREQ(text, expected[column - 1]) << column;
    }
}

std::vector<std::string> deleted;
bool DeleteAllButTwo(const char* path) {
    deleted.push_back(path);
    return strstr(path, "2.csv") == NULL;
}

TEST(LogListDelete, AFileThatStaysKeepsItsRow) {
    ResetList(5);
    for (int slot : {1, 2, 4}) logList.selected[slot] = 1;
    char failed[256];
    EXPECT_EQ(DeleteSelectedRows(DeleteAllButTwo, failed, sizeof failed), 1);
    EXPECT_EQ(deleted.size(), 3u);
    EXPECT_NE(strstr(failed, "2.csv\n"), nullptr);
    EXPECT_EQ(Order(), (std::vector<int>{5, 2, 3}));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1}));
}

}  // namespace
