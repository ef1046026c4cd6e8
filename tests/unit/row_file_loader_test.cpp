// Loading whole row files (from disk and from text) and the entry date.
#include <gtest/gtest.h>
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
const std::string HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR\n";

// Line k: Time 100 (k + 1), Watts 200 + k, SPM 24, HR 140 to 142.
std::string Lines(int count, int firstTime = 100) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += std::to_string(firstTime + 100 * k) + "," + std::to_string(10 * (k + 1)) +
                ".0,0.25" + std::to_string(k % 10) + "," + std::to_string(200 + k) + ",7,24," +
                std::to_string(140 + k % 3) + "\n";
    return text;
}

TEST(RowFileLoaderTest, FilesAndTextsLoadAlike) {
    const struct {
        const char* name;
        std::string text;
        int32_t lastSample, workTime, avgPower, avgStrokeRate, avgHeartRate, strokeRate0;
    } cases[] = {
        {"header, 10 strokes, closing", HEADER + Lines(11), 10, 1100, 205, 60, 140, 42},
        {"stroke rates", HEADER + "200,1,.3,100,1,0,0\n400,2,.3,100,1,24,0\n600,3,.3,100,1,26,0\n",
         2, 600, 100, 30, 0, 27},
        {"Danish header", "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls \n" + Lines(1), 0, 100, 200, 60,
         140, 24},
        {"malformed line", HEADER + Lines(2) + "300,x\n" + Lines(3, 400), 1, 200, 200, 60, 140, 42},
        {"nan", HEADER + Lines(1) + "200,nan,0.2,1,1,1,1\n", 0, 100, 200, 60, 140, 24},
        {"nan pace", HEADER + Lines(1) + "200,5.0,nan,1,1,1,1\n", 0, 100, 200, 60, 140, 24},
        {"255 characters",
         HEADER + Lines(1) + "200,5." + std::string(237, '0') + ",0.2,1,1,1,1\n" + Lines(1, 300), 0,
         100, 200, 60, 140, 24},
        {"header only", HEADER, -1, 0, 0, 0, 0, 0},
        {"last time 0", HEADER + Lines(1) + "0,5.0,0.2,100,1,20,0\n", -1, 0, 0, 0, 0, 0},
        {"empty", "", -1, 0, 0, 0, 0, 0},
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
    file->startTime = 999;  // no such file: no message
    notValidPath.clear();
    EXPECT_FALSE(LoadRowFile(file.get()));
    EXPECT_EQ(notValidPath, "");
    rowFileNotValid = NULL;
}

TEST(RowFileLoaderTest, LinesPastTheArraysOverwriteTheLastSampleAndCountInTheTotals) {
    std::string text = HEADER + Lines(MAX_SAMPLES + 5);
    std::unique_ptr<StrokeHistory> h(new StrokeHistory());
    ASSERT_TRUE(ParseRowFileText(text.data(), text.size(), h.get()));
    EXPECT_EQ(h->lastSample, LAST_SAMPLE_INDEX);
    EXPECT_EQ(h->power[LAST_SAMPLE_INDEX], 200 + MAX_SAMPLES + 4);
    EXPECT_EQ(h->avgPower, 200 + (MAX_SAMPLES + 4) / 2);
    EXPECT_EQ(h->pace[7], 0.257);
}

TEST(FormatEntryDateTest, LocalDateWithTwoBlanksBeforeTheHour) {
    setenv("TZ", "UTC", 1);
    tzset();
    char buffer[ENTRY_DATE_SIZE];
    FormatEntryDate(buffer, 1234567890);
    EXPECT_STREQ(buffer, "13 Feb 2009  11:31 PM");
    FormatEntryDate(buffer, 0);
    EXPECT_STREQ(buffer, "01 Jan 1970  12:00 AM");
    unsetenv("TZ");  // the system's zone again
    tzset();
}

}  // namespace
