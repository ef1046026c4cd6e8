// Row files: creating and writing them, the log catalog's scan of their last lines, and loading
// a whole one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "log/log_catalog.h"
#include "log/log_notices.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

const std::string HEADER = std::string(ENGLISH_HEADER) + "\n";
int rescans;
std::string notValidPath;

void Write(const TempBase& base, const std::string& name, const std::string& text) {
    mkdir(base.DataFolder().c_str(), 0777);
    std::ofstream(base.DataFolder() + "/" + name, std::ios::binary) << text;
}

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
    WriteRowLine(file, 12345, 1995.26, 0.2104, 100, 6553, 25, 210);
    EXPECT_EQ(ReadFile(base.RowFilePath(1001)), HEADER + "12345,1995.3,0.210,100,6553,25,210\n");
    EXPECT_EQ(ReadFile(base.RowFilePath(1000)), HEADER);
    fclose(file);
}

TEST(LogCatalog, TotalsComeFromTheLastLineOfEachProperlyNamedFile) {
    TempBase base;
    const std::string closing = "42000,2000.0,0.210,302,95,28,150\n";
    Write(base, "1000.csv", HEADER + std::string(120, '\n') + "352,7.9,0.2,225,1,27,0\n" + closing);
    Write(base, "1001.CSV", HEADER + closing);             // Windows lists names in any case
    Write(base, "1002.csv", "4000,1000.0,0.2,3,4,5,6\n");  // one line: the header
    for (const char* odd : {"01.csv", "12a.csv", "78.csvx"}) Write(base, odd, HEADER + closing);
    logCatalogRescanned = [] { ++rescans; };
    rescans = 0;
    ScanLogCatalog();
    logCatalogRescanned = NULL;
    ASSERT_EQ(logEntryCount, 3);
    EXPECT_EQ(rescans, 1);
    for (const LogEntry* e = logEntries + 1; e <= logEntries + 3; ++e) {
        int rowed = e->startTime != 1002;
        EXPECT_EQ((std::vector<int>{e->workTime, e->calories, e->pace500}),
                  (std::vector<int>{42000 * rowed, 95 * rowed, 10500 * rowed}));
    }
    for (int k = 3; k <= MAX_LOG_ENTRIES; ++k) Write(base, std::to_string(k + 9000) + ".csv", "");
    ScanLogCatalog();
    EXPECT_EQ(logEntryCount, MAX_LOG_ENTRIES);  // of 5001 files
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
    const std::string one = HEADER + Lines(1);
    const struct {
        std::string text;
        std::vector<int> loaded;  // last sample, time, power, stroke rate, heart rate, first rate
    } cases[] = {
        {HEADER + Lines(11), {10, 1100, 205, 60, 140, 42}},  // 10 strokes, closing line
        {HEADER + "200,1,.3,100,1,0,0\n400,2,.3,100,1,24,0\n600,3,.3,100,1,26,0\n",
         {2, 600, 100, 30, 0, 27}},
        {one + "200,5.0,nan,1,1,1,1\n", {0, 100, 200, 60, 140, 24}},
        {one + "200,5." + std::string(237, '0') + ",0.2,1,1,1,1\n" + Lines(1, 300),  // 255 long
         {0, 100, 200, 60, 140, 24}},
        {one + "0,5.0,0.2,100,1,20,0\n", {}},  // last time 0: not valid
    };
    TempBase base;
    rowFileNotValid = [](const char* path) { notValidPath = path; };
    std::unique_ptr<StrokeHistory> file(new StrokeHistory()), text(new StrokeHistory());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(HEADER.size(), 30));
        Write(base, "1000.csv", c.text);
        notValidPath.clear();
        file->startTime = 1000;
        bool valid = !c.loaded.empty();
        EXPECT_EQ(LoadRowFile(file.get()), valid);
        EXPECT_EQ(ParseRowFileText(c.text.data(), c.text.size(), text.get()), valid);
        EXPECT_EQ(notValidPath, valid ? "" : base.RowFilePath(1000));
        for (StrokeHistory* h : {file.get(), text.get()}) {
            if (!valid) break;
            EXPECT_EQ((std::vector<int>{h->lastSample, h->workTime, h->avgPower, h->avgStrokeRate,
                                        h->heartRateCount, h->strokeRate[0]}),
                      c.loaded);
            EXPECT_DOUBLE_EQ(h->distancePerStroke, h->distance / (h->lastSample + 1));
        }
    }
    rowFileNotValid = NULL;
    LocalZone local("EST5");  // the log shows local times
    char date[ENTRY_DATE_SIZE];
    FormatEntryDate(date, 1234567890);
    EXPECT_STREQ(date, "13 Feb 2009  06:31 PM");
}

}  // namespace
