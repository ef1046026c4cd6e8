// Row files: writing them, the log catalog's scan of their last lines, loading one, and the FIT
// and TCX export of a known workout, belt or not, with its name, a bad file and a failed write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "export/export_file.h"
#include "export/fit_encoder.h"
#include "export/tcx_writer.h"
#include "log/log_catalog.h"
#include "log/log_notices.h"
#include "log/row_file_loader.h"
#include "log/row_file_parser.h"
#include "test_support.h"

using namespace test_support;

namespace {

const std::string HEADER = std::string(ENGLISH_HEADER) + "\n";
int rescans;
std::string notValidPath;

void Write(const TempBase& base, const std::string& name, const std::string& text) {
    mkdir(base.DataFolder().c_str(), 0777);
    std::ofstream(base.DataFolder() + "/" + name, std::ios::binary) << text;
}

TEST(RowFile, TakesTheNextFreeSecondAndWritesTheHeaderAtOnce) {
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
    EXPECT_EQ(ReadFile(base.RowFilePath(1001)), HEADER);
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

const uint32_t T = 603502290;  // 1234567890, 23:31:30 UTC on 13 Feb 2009, in FIT time
// Four data lines, the last the closing line, with the heart rates given.
const char KNOWN[] =
    "Time,Distance,Pace,Watts,Cals,SPM,HR\n300,10.0,0.250,180,1,24,0\n"
    "520,20.5,0.200,350,2,30,%d\n760,31.0,0.210,302,3,28,%d\n800,32.2,0.210,302,3,28,%d\n";

RowWorkout Workout(int heartRate = 141, int later = 150, const char* lines = KNOWN) {
    char text[512];
    RowWorkout workout{1234567890, {}};
    int length = snprintf(text, sizeof text, lines, heartRate, later, later);
    EXPECT_TRUE(ParseRowWorkout(text, (size_t)length, &workout));
    return workout;
}

// A FIT file read back by its own definitions: each (message, field)'s values in file order,
// and the data messages' global numbers in order (under the key -1, -1).
std::map<std::pair<int, int>, std::vector<uint32_t>> Decode(const std::string& file) {
    auto at = [&](size_t i) { return i < file.size() ? (uint32_t)(uint8_t)file[i] : 0u; };
    std::map<uint32_t, std::pair<int, std::vector<std::pair<int, int>>>> defined;
    std::map<std::pair<int, int>, std::vector<uint32_t>> fit;
    for (size_t i = 14, end = 14 + (at(4) | at(5) << 8 | at(6) << 16); i < end;) {
        auto& [message, fields] = defined[at(i) & 0xF];
        if (at(i++) & 0x40) {
            message = (int)(at(i + 2) | at(i + 3) << 8);
            fields.clear();
            for (uint32_t f = 0; f < at(i + 4); f++)
                fields.push_back({at(i + 5 + 3 * f), at(i + 6 + 3 * f)});
            i += 5 + 3 * fields.size();
            continue;
        }
        fit[{-1, -1}].push_back(message);
        for (auto [number, size] : fields) {
            uint32_t value = 0;
            for (int b = 0; b < size; b++) value |= at(i++) << 8 * b;
            fit[{message, number}].push_back(value);
        }
    }
    return fit;
}

// clang-format off
const struct { int message, field; std::vector<uint32_t> belt, noBelt; } FIELDS[] = {
    {-1, -1, {0, 21, 20, 20, 20, 20, 21, 19, 18, 34}, {}}, {0, 0, {4}, {}},  // an activity
    {20, 253, {T + 3, T + 5, T + 7, T + 8}, {}}, {20, 5, {1000, 2050, 3100, 3220}, {}},
    {20, 6, {4000, 5000, 4762, 4762}, {}}, {20, 7, {180, 350, 302, 302}, {}},
    {20, 4, {24, 30, 28, 28}, {}}, {20, 3, {0xFF, 141, 150, 150}, {0xFF, 0xFF, 0xFF, 0xFF}},
    {21, 253, {T, T + 8}, {}}, {21, 1, {0, 4}, {}},  // the timer's start and stop
    {18, 5, {15}, {}}, {18, 6, {14}, {}}, {18, 2, {T}, {}}, {18, 253, {T + 8}, {}},
    {18, 7, {8000}, {}}, {18, 9, {3220}, {}}, {18, 11, {3}, {}}, {18, 14, {4025}, {}},
    {18, 15, {5000}, {}}, {18, 20, {283}, {}}, {18, 21, {350}, {}}, {18, 18, {30}, {}},
    {18, 16, {110}, {0xFF}}, {18, 17, {150}, {0xFF}}, {19, 0, {9}, {}}, {19, 8, {8000}, {}},
    {19, 9, {3220}, {}}, {19, 13, {4025}, {}}, {19, 19, {283}, {}}, {19, 17, {30}, {}},
    {19, 15, {110}, {0xFF}}, {19, 39, {14}, {}}, {34, 1, {1}, {}},
};
// clang-format on

TEST(Export, AKnownWorkoutReadsBackFromFitFieldByFieldAndTcxPerLineBeltOrNot) {
    for (bool belt : {true, false}) {
        const std::string file = EncodeFitActivity(belt ? Workout() : Workout(0, 0));
        const uint8_t* bytes = (const uint8_t*)file.data();
        EXPECT_EQ(bytes[12] | bytes[13] << 8, FitCrc(0, bytes, 12));  // the header's CRC
        EXPECT_EQ(FitCrc(0, bytes, file.size()), 0);                  // the closing CRC makes it 0
        auto fit = Decode(file);
        for (const auto& f : FIELDS)
            EXPECT_EQ((fit[{f.message, f.field}]), belt || f.noBelt.empty() ? f.belt : f.noBelt)
                << "message " << f.message << " field " << f.field << " belt " << belt;
    }
    EXPECT_EQ(FitCrc(0, (const uint8_t*)"123456789", 9), 0xBB3D);
    auto one = Decode(EncodeFitActivity(Workout(0, 0, "\n150,5.0,0.25,200,0,22,0\n")));
    EXPECT_EQ((one[{20, 253}]), std::vector<uint32_t>{T + 1});
    EXPECT_EQ((one[{18, 18}]), std::vector<uint32_t>{40});  // 1 stroke in 1.5 s
    EXPECT_NE(EncodeTcxActivity(Workout()).find(
                  "<Time>2009-02-13T23:31:35.20Z</Time>\n            <DistanceMeters>20.5</"
                  "DistanceMeters>\n            <HeartRateBpm><Value>141</Value>"),
              std::string::npos);
    EXPECT_EQ(EncodeTcxActivity(Workout(0, 0)).find("HeartRate"), std::string::npos);
}

TEST(Export, NamesAreLocalInWholeMetresAndABadFileOrFailedWriteLeavesNothing) {
    for (auto [zone, expected] :
         {std::pair{"UTC", "2009-02-13 2331 1999m.fit"}, {"EST5", "2009-02-13 1831 1999m.fit"}}) {
        LocalZone local(zone);
        char name[64];
        FormatExportName(name, sizeof name, 1234567890, 1999.96, EXPORT_FIT);
        EXPECT_STREQ(name, expected);
    }
    TempBase base;
    std::filesystem::create_directories(base.DataFolder());
    std::ofstream(base.RowFilePath(7)) << "header\n300,10.0,0.250,180,1,24,0\n0,0,0,0,0,0,0\n";
    static int reported;
    rowFileNotValid = [](const char*) { reported++; };
    RowWorkout workout;
    EXPECT_EQ(ReadRowWorkout(7, &workout), ROW_FILE_NOT_VALID);
    EXPECT_EQ(reported, 1);
    rowFileNotValid = NULL;
    const std::string target = base.path + "/old.tcx";
    std::ofstream(target) << "old";
    EXPECT_FALSE(
        WriteExport(Workout(), EXPORT_TCX, target.c_str(), [](auto, auto) { return false; }));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_FALSE(std::filesystem::exists(target + ".part"));
}

}  // namespace
