// Loading whole row files (from disk and from text) and the entry date.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>

#include "log/log_notices.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

std::string notValidPath;
void RecordNotValid(const char* path) {
    notValidPath = path;
}

std::string Lines(int count, int firstTime = 100) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += std::to_string(firstTime + 100 * k) + "," + std::to_string(10 * (k + 1)) +
                ".0,0.25" + std::to_string(k % 10) + "," + std::to_string(200 + k) + ",7,24," +
                std::to_string(140 + k % 3) + "\n";
    return text;
}

const std::string HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR\n";

TEST(RowFileLoaderTest, FilesAndTextsLoadAlike) {
    const struct {
        const char* name;
        std::string text;
        bool valid;
        int32_t lastSample, workTime, avgPower, avgStrokeRate, avgHeartRate, strokeRate0;
    } cases[] = {
        {"header, 10 strokes, closing", HEADER + Lines(11), true, 10, 1100, 205, 60, 140, 42},
        {"stroke-rate example",
         HEADER + "200,1.0,0.3,100,1,0,0\n400,2.0,0.3,100,1,24,0\n"
                  "600,3.0,0.3,100,1,26,0\n",
         true, 2, 600, 100, 30, 0, 27},
        {"Danish header", "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls \n" + Lines(1), true, 0, 100,
         200, 60, 140, 24},
        {"malformed line ends it", HEADER + Lines(2) + "300,x\n" + Lines(3, 400), true, 1, 200, 200,
         60, 140, 42},
        {"nan is malformed", HEADER + Lines(1) + "200,nan,0.2,1,1,1,1\n", true, 0, 100, 200, 60,
         140, 24},
        {"header only", HEADER, false, 0, 0, 0, 0, 0, 0},
        {"last time 0", HEADER + Lines(1) + "0,5.0,0.2,100,1,20,0\n", false, 0, 0, 0, 0, 0, 0},
        {"empty", "", false, 0, 0, 0, 0, 0, 0},
    };
    TempBase base;
    mkdir(base.DataFolder().c_str(), 0777);
    rowFileNotValid = RecordNotValid;
    std::unique_ptr<StrokeHistory> file(new StrokeHistory()), text(new StrokeHistory());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(base.RowFilePath(1000), std::ios::binary) << c.text;
        notValidPath.clear();
        file->startTime = 1000;
        EXPECT_EQ(LoadRowFile(file.get()), c.valid);
        EXPECT_EQ(ParseRowFileText(c.text.data(), c.text.size(), text.get()), c.valid);
        EXPECT_EQ(notValidPath, c.valid ? "" : base.RowFilePath(1000));
        if (!c.valid) continue;
        for (StrokeHistory* h : {file.get(), text.get()}) {
            EXPECT_EQ(h->lastSample, c.lastSample);
            EXPECT_EQ(h->workTime, c.workTime);
            EXPECT_EQ(h->avgPower, c.avgPower);
            EXPECT_EQ(h->avgStrokeRate, c.avgStrokeRate);
            EXPECT_EQ(h->avgHeartRate, c.avgHeartRate);
            EXPECT_EQ(h->heartRateCount, c.avgHeartRate);
            EXPECT_EQ(h->strokeRate[0], c.strokeRate0);
            EXPECT_DOUBLE_EQ(h->distancePerStroke, h->distance / (c.lastSample + 1));
        }
    }
    rowFileNotValid = NULL;
}

TEST(RowFileLoaderTest, LinesPastTheArraysOverwriteTheLastSampleAndCountInTheTotals) {
    std::string text = HEADER + Lines(MAX_SAMPLES + 5);
    std::unique_ptr<StrokeHistory> h(new StrokeHistory());
    ASSERT_TRUE(ParseRowFileText(text.data(), text.size(), h.get()));
    EXPECT_EQ(h->lastSample, LAST_SAMPLE_INDEX);
    EXPECT_EQ(h->power[LAST_SAMPLE_INDEX], 200 + MAX_SAMPLES + 4);
    EXPECT_EQ(h->workTime, 100 * (MAX_SAMPLES + 5));
    EXPECT_EQ(h->avgPower, 200 + (MAX_SAMPLES + 4) / 2);
    EXPECT_EQ(h->pace[7], 0.257);
}

TEST(RowFileLoaderTest, MissingFileFailsSilently) {
    TempBase base;
    rowFileNotValid = RecordNotValid;
    notValidPath.clear();
    std::unique_ptr<StrokeHistory> h(new StrokeHistory());
    h->startTime = 1000;
    EXPECT_FALSE(LoadRowFile(h.get()));
    EXPECT_EQ(notValidPath, "");
    rowFileNotValid = NULL;
}

TEST(FormatEntryDateTest, LocalDateWithTwoBlanksBeforeTheHour) {
    const char* saved = getenv("TZ");
    std::string zone = saved != NULL ? saved : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const struct {
        int32_t startTime;
        const char* text;
    } cases[] = {{1234567890, "13 Feb 2009  11:31 PM"},
                 {0, "01 Jan 1970  12:00 AM"},
                 {43200 + 59, "01 Jan 1970  12:00 PM"}};
    for (const auto& c : cases) {
        char buffer[ENTRY_DATE_SIZE];
        FormatEntryDate(buffer, c.startTime);
        EXPECT_STREQ(buffer, c.text);
    }
    saved != NULL ? setenv("TZ", zone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

}  // namespace
