// FIT and TCX export of a small known workout with and without a heart-rate belt and of one
// stroke; export names; a not valid row file and a failed write.
#include <gtest/gtest.h>
#include <time.h>

#include <map>

#include "export/export_file.h"
#include "export/fit_encoder.h"
#include "export/tcx_writer.h"
#include "log/log_notices.h"
#include "recorder_test_support.h"

namespace {

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

TEST(FitExport, AKnownWorkoutReadsBackFieldByFieldWithAndWithoutABeltAndOneStroke) {
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
}

TEST(TcxExport, ATrackpointPerLineWithItsHeartRateOnlyWhenWorn) {
    EXPECT_NE(EncodeTcxActivity(Workout()).find(
                  "<Time>2009-02-13T23:31:35.20Z</Time>\n            <DistanceMeters>20.5</"
                  "DistanceMeters>\n            <HeartRateBpm><Value>141</Value>"),
              std::string::npos);
    EXPECT_EQ(EncodeTcxActivity(Workout(0, 0)).find("HeartRate"), std::string::npos);
}

TEST(Export, NamesTakeTheLocalStartAndWholeMetres) {
    for (auto [zone, expected] :
         {std::pair{"UTC", "2009-02-13 2331 1999m.fit"}, {"EST5", "2009-02-13 1831 1999m.fit"}}) {
        recorder_test::LocalZone local(zone);
        char name[64];
        FormatExportName(name, sizeof name, 1234567890, 1999.96, EXPORT_FIT);
        EXPECT_STREQ(name, expected);
    }
}

TEST(Export, ANotValidRowFileIsReportedAndAFailedWriteLeavesNothing) {
    recorder_test::TempBase base;
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
    EXPECT_EQ(recorder_test::ReadFile(target), "old");
    EXPECT_FALSE(std::filesystem::exists(target + ".part"));
}

}  // namespace
