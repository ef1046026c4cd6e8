// Creating row files and writing their lines.
#include <gtest/gtest.h>

#include "monitor/row_file.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

TEST(RowFile, TakesTheNextFreeSecondWritesTheHeaderAndEachLineAtOnce) {
    TempBase base;
    UseEnglishTexts();
    rowFileClock = FixedClock;
    int32_t seconds = 0;
    FILE* file = CreateRowFile(&seconds);  // makes the missing data folder
    ASSERT_NE(file, nullptr);
    fclose(file);
    file = CreateRowFile(&seconds);  // 1000 is taken now
    rowFileClock = CalendarSeconds;
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(seconds, 1001);
    WriteRowLine(file, 123456, 1995.26, 0.2104, 1000, 65535, 255, 210);
    const std::string header = std::string(ENGLISH_HEADER) + "\n";
    EXPECT_EQ(ReadFile(base.RowFilePath(1001)), header + "123456,1995.3,0.210,1000,65535,255,210\n");
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)), header);
    fclose(file);
}

}  // namespace
