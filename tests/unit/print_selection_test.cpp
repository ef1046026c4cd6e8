// The results a print of the log's selection covers: selected rows in display order, and
// nothing read outside the list or the catalog whatever the list state holds.
#include <gtest/gtest.h>

#include <vector>

#include "print/print_selection.h"

TEST(PrintSelection, SelectedStartTimesInDisplayOrderWithinTheListAndCatalog) {
    static LogListState list;
    static LogEntry entries[MAX_LOG_ENTRIES + 1];
    static int32_t found[MAX_LOG_ENTRIES];
    for (int slot = 0; slot <= MAX_LOG_ENTRIES; ++slot) entries[slot].startTime = 1000 + slot;
    const int order[] = {4, 2, 0, MAX_LOG_ENTRIES + 1, 3, 1, -7, MAX_LOG_ENTRIES};
    for (int row = 0; row < 8; ++row) list.displayOrder[row] = order[row];
    for (int slot : {0, 1, 2, 4, MAX_LOG_ENTRIES}) list.selected[slot] = 1;
    const std::vector<int32_t> all = {1004, 1002, 1001, 1000 + MAX_LOG_ENTRIES};
    const struct {
        int rows;
        std::vector<int32_t> startTimes;
    } cases[] = {{0, {}}, {-3, {}}, {1, {1004}}, {8, all}, {MAX_LOG_ENTRIES + 9, all}};
    for (const auto& c : cases) {
        int count = SelectedStartTimes(list, entries, c.rows, found);
        EXPECT_EQ(std::vector<int32_t>(found, found + count), c.startTimes) << c.rows;
    }
}
