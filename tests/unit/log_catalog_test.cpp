// The catalog scan: totals from each row file's last line, which names are listed, the limit.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "log/log_catalog.h"
#include "log/log_notices.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

int rescans;
void CountRescan() {
    ++rescans;
}
const std::string HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR\n";
const std::string CLOSING = "42000,2000.0,0.210,302,95,28,150\n";

class LogCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { rescans = 0, logCatalogRescanned = CountRescan, logEntryCount = 77; }
    void TearDown() override { logCatalogRescanned = NULL; }
    void Write(const std::string& name, const std::string& text) {
        mkdir(base.DataFolder().c_str(), 0777);
        std::ofstream(base.DataFolder() + "/" + name, std::ios::binary) << text;
    }
    TempBase base;
};

TEST_F(LogCatalogTest, TotalsComeFromTheLastLineOfEachProperlyNamedFile) {
    const struct {
        int32_t startTime;
        std::string text;
        int32_t workTime, calories, pace500;
        float distance;
    } cases[] = {
        {1000, HEADER + std::string(120, '\n') + "352,7.9,0.232,225,1,27,0\n" + CLOSING, 42000, 95,
         10500, 2000},
        {1001, HEADER + CLOSING, 42000, 95, 10500, 2000},  // shorter than the tail
        {1002, "Time\r\n41890,1995.3,0.2,3,90,2,1\r\n42000,2000.0,0.2,3,95,2,1\r\n", 42000, 95,
         10500, 2000},
        {1003, HEADER, 0, 0, 0, 0},
        {1004, "", 0, 0, 0, 0},
        {1005, HEADER + "600,0.0,0.2,100,1,20,0\n", 600, 1, 0, 0},           // no distance, no pace
        {1006, HEADER + "574,17.6,0.219,267,3,29,0", 574, 3, 16306, 17.6f},  // being written
        {1007, HEADER + "2000000000,0.001,0.2,3,4,5,6\n", 2000000000, 4, 0, 0.001f},
        {1008, HEADER + "4294968,1000.0,0.2,3,4,5,6\n", 4294968, 4, 2147484, 1000},
        {1009, "4000,1000.0,0.2,3,4,5,6\n", 0, 0, 0, 0},  // one line: the header
        {0, HEADER + "100,50.0,0.2,100,1,20,0\n", 100, 1, 1000, 50},
    };
    for (const auto& c : cases)  // Windows lists names regardless of case
        Write(std::to_string(c.startTime) + (c.startTime == 1003 ? ".CSV" : ".csv"), c.text);
    for (const char* odd : {"01.csv", "0123.csv", "abc.csv", "-5.csv", "12a.csv", "2147483648.csv",
                            "77.csv.bak", "78.csvx", ".csv"})
        Write(odd, HEADER + CLOSING);

    ScanLogCatalog();
    ASSERT_EQ(logEntryCount, (int32_t)(sizeof cases / sizeof cases[0]));
    EXPECT_EQ(rescans, 1);
    std::map<int32_t, LogEntry> found;
    for (int slot = 1; slot <= logEntryCount; ++slot)
        found[logEntries[slot].startTime] = logEntries[slot];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startTime);
        const LogEntry* entry = &found[c.startTime];
        EXPECT_EQ(entry->workTime, c.workTime);
        EXPECT_EQ(entry->calories, c.calories);
        EXPECT_EQ(entry->pace500, c.pace500);
        EXPECT_FLOAT_EQ(entry->distance, c.distance);
    }
}

TEST_F(LogCatalogTest, NoFolderListsNothingAnd5001FilesList5000) {
    ScanLogCatalog();
    EXPECT_EQ(logEntryCount, 0);
    for (int k = 1; k <= MAX_LOG_ENTRIES + 1; ++k) Write(std::to_string(k) + ".csv", HEADER);
    ScanLogCatalog();
    EXPECT_EQ(logEntryCount, MAX_LOG_ENTRIES);
}

}  // namespace
