// The log's row files: the catalog scan of their last lines, loading a whole one, its date.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include "log/log_catalog.h"
#include "log/log_notices.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

const std::string HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR\n";
int rescans;
std::string notValidPath;

void Write(const TempBase& base, const std::string& name, const std::string& text) {
    mkdir(base.DataFolder().c_str(), 0777);
    std::ofstream(base.DataFolder() + "/" + name, std::ios::binary) << text;
}

TEST(LogCatalog, TotalsComeFromTheLastLineOfEachProperlyNamedFile) {
    TempBase base;
    const std::string closing = "42000,2000.0,0.210,302,95,28,150\n";
    Write(base, "1000.csv", HEADER + std::string(120, '\n') + "352,7.9,0.2,225,1,27,0\n" + closing);
    Write(base, "1001.CSV", HEADER + closing);    // Windows lists names regardless of case
    Write(base, "1002.csv", "4000,1000.0,0.2,3,4,5,6\n");  // one line: the header
    for (const char* odd : {"01.csv", "12a.csv", "78.csvx"}) Write(base, odd, HEADER + closing);
    logCatalogRescanned = [] { ++rescans; };
    rescans = 0;
    ScanLogCatalog();
    logCatalogRescanned = NULL;
    ASSERT_EQ(logEntryCount, 3);
    EXPECT_EQ(rescans, 1);
    for (int slot = 1; slot <= 3; ++slot) {
        const LogEntry& e = logEntries[slot];
        bool rowed = e.startTime != 1002;
        SCOPED_TRACE(e.startTime);
        EXPECT_EQ(e.workTime, rowed ? 42000 : 0);
        EXPECT_EQ(e.calories, rowed ? 95 : 0);
        EXPECT_EQ(e.pace500, rowed ? 10500 : 0);
    }
}

TEST(LogCatalog, ListsAtMost5000Files) {
    TempBase base;
    for (int k = 1; k <= MAX_LOG_ENTRIES + 1; ++k) Write(base, std::to_string(k) + ".csv", HEADER);
    ScanLogCatalog();
    EXPECT_EQ(logEntryCount, MAX_LOG_ENTRIES);
}

// Line k: Time 100 (k + 1), Watts 200 + k, SPM 24, HR 140 to 142.
std::string Lines(int count, int firstTime = 100) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += std::to_string(firstTime + 100 * k) + "," + std::to_string(10 * (k + 1)) +
                ".0,0.25" + std::to_string(k % 10) + "," + std::to_string(200 + k) + ",7,24," +
                std::to_string(140 + k % 3) + "\n";
    return text;
}

TEST(RowFileLoader, FilesAndTextsLoadAlike) {
    const struct {
        const char* name;
        std::string text;
        int32_t lastSample, workTime, avgPower, avgStrokeRate, avgHeartRate, strokeRate0;
    } cases[] = {
        {"header, 10 strokes, closing", HEADER + Lines(11), 10, 1100, 205, 60, 140, 42},
        {"stroke rates", HEADER + "200,1,.3,100,1,0,0\n400,2,.3,100,1,24,0\n600,3,.3,100,1,26,0\n",
         2, 600, 100, 30, 0, 27},
        {"nan pace", HEADER + Lines(1) + "200,5.0,nan,1,1,1,1\n", 0, 100, 200, 60, 140, 24},
        {"255 characters",
         HEADER + Lines(1) + "200,5." + std::string(237, '0') + ",0.2,1,1,1,1\n" + Lines(1, 300), 0,
         100, 200, 60, 140, 24},
        {"last time 0", HEADER + Lines(1) + "0,5.0,0.2,100,1,20,0\n", -1, 0, 0, 0, 0, 0},
    };
    TempBase base;
    rowFileNotValid = [](const char* path) { notValidPath = path; };
    std::unique_ptr<StrokeHistory> file(new StrokeHistory()), text(new StrokeHistory());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(base, "1000.csv", c.text);
        notValidPath.clear();
        file->startTime = 1000;
        bool valid = c.lastSample >= 0;
        EXPECT_EQ(LoadRowFile(file.get()), valid);
        EXPECT_EQ(ParseRowFileText(c.text.data(), c.text.size(), text.get()), valid);
        EXPECT_EQ(notValidPath, valid ? "" : base.RowFilePath(1000));
        for (StrokeHistory* h : {file.get(), text.get()}) {
            if (!valid) break;
            EXPECT_EQ(h->lastSample, c.lastSample);
            EXPECT_EQ(h->workTime, c.workTime);
            EXPECT_EQ(h->avgPower, c.avgPower);
            EXPECT_EQ(h->avgStrokeRate, c.avgStrokeRate);
            EXPECT_EQ(h->heartRateCount, c.avgHeartRate);
            EXPECT_EQ(h->strokeRate[0], c.strokeRate0);
            EXPECT_DOUBLE_EQ(h->distancePerStroke, h->distance / (c.lastSample + 1));
        }
    }
    rowFileNotValid = NULL;
}

TEST(RowFileLoader, EntryDateIsLocalWithTwoBlanksBeforeTheHour) {
    setenv("TZ", "UTC", 1);
    tzset();
    char buffer[ENTRY_DATE_SIZE];
    FormatEntryDate(buffer, 1234567890);
    EXPECT_STREQ(buffer, "13 Feb 2009  11:31 PM");
    unsetenv("TZ");  // the system's zone again
    tzset();
}

}  // namespace
