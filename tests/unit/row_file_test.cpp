// Creating row files and writing their lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include "app/app_state.h"
#include "monitor/row_file.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

class RowFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseEnglishTexts();
        rowFileClock = FixedClock;
    }
    void TearDown() override {
        if (file_ != NULL) fclose(file_);
        rowFileClock = CalendarSeconds;
    }

    TempBase base;
    FILE* file_ = NULL;
};

TEST_F(RowFileTest, MakesTheMissingDataFolderAndWritesTheEnglishHeader) {
    ASSERT_FALSE(FileExists(base.DataFolder()));
    int32_t seconds = 0;
    file_ = CreateRowFile(&seconds);
    ASSERT_NE(file_, nullptr);
    EXPECT_EQ(seconds, 1000);
    EXPECT_TRUE(std::filesystem::is_directory(base.DataFolder()));
    // The header is on disk before the file is closed.
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)), std::string(ENGLISH_HEADER) + "\n");
    fclose(file_);
    file_ = NULL;
    UseDanishTexts();
    file_ = CreateRowFile(NULL);
    ASSERT_NE(file_, nullptr);
    EXPECT_EQ(ReadFile(base.RowFilePath(1001)), "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls \n");
}

TEST_F(RowFileTest, EachLineIsOnDiskAsSoonAsItIsWritten) {
    file_ = CreateRowFile(NULL);
    ASSERT_NE(file_, nullptr);
    WriteRowLine(file_, 352, 7.9, 0.232, 225, 1, 27, 0);
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)),
              std::string(ENGLISH_HEADER) + "\n352,7.9,0.232,225,1,27,0\n");
    WriteRowLine(file_, 123456, 1995.26, 0.2104, 1000, 65535, 255, 210);
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)), std::string(ENGLISH_HEADER) +
                                                    "\n352,7.9,0.232,225,1,27,0\n"
                                                    "123456,1995.3,0.210,1000,65535,255,210\n");
}

TEST_F(RowFileTest, TakenSecondMovesToTheNextFreeOne) {
    ASSERT_EQ(mkdir(base.DataFolder().c_str(), 0777), 0);
    std::ofstream(base.RowFilePath(1000)) << "earlier workout\n";
    std::ofstream(base.RowFilePath(1001)) << "another\n";
    int32_t seconds = 0;
    file_ = CreateRowFile(&seconds);
    ASSERT_NE(file_, nullptr);
    EXPECT_EQ(seconds, 1002);
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)), "earlier workout\n");
    EXPECT_EQ(ReadFile(base.RowFilePath(1001)), "another\n");
    EXPECT_EQ(ReadFile(base.RowFilePath(1002)), std::string(ENGLISH_HEADER) + "\n");
}

}  // namespace
