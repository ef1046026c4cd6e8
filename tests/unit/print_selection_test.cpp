// The results a print of the log's selection covers, and the texts printing shows.
#include <gtest/gtest.h>

#include <vector>

#include "print/print_selection.h"

TEST(PrintSelection, SelectedStartTimesInDisplayOrderAndNothingOutsideTheList) {
    static LogListState list;
    static LogEntry entries[MAX_LOG_ENTRIES + 1];
    for (int slot = 0; slot <= MAX_LOG_ENTRIES; ++slot) entries[slot].startTime = 1000 + slot;
    const int order[] = {4, 2, 0, MAX_LOG_ENTRIES + 1, 3, 1, -7};
    for (int row = 0; row < 7; ++row) list.displayOrder[row] = order[row];
    for (int slot : {0, 1, 2, 4}) list.selected[slot] = 1;
    const struct {
        int rows;
        std::vector<int32_t> startTimes;
    } cases[] = {
        {0, {}},
        {1, {1004}},
        {7, {1004, 1002, 1001}},
        {-3, {}},
        {MAX_LOG_ENTRIES + 9, {1004, 1002, 1001}},
    };
    for (const auto& c : cases) {
        static int32_t startTimes[MAX_LOG_ENTRIES];
        int count = SelectedStartTimes(list, entries, c.rows, startTimes);
        EXPECT_EQ(std::vector<int32_t>(startTimes, startTimes + count), c.startTimes) << c.rows;
    }
}

TEST(PrintSelection, QuestionAndPageTexts) {
    char text[PRINT_TEXT_SIZE];
    FormatPrintQuestion(text, sizeof text, 6);
    EXPECT_STREQ(text, "Do you really want to print 6 results at once?");
    FormatPrintingPage(text, sizeof text, 12);
    EXPECT_STREQ(text, "Printing Page 12");
}
