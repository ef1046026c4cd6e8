// FIT and TCX export: the CRC, the fields a FIT reader finds for a small known workout with
// and without a heart-rate belt, a one-stroke file, the TCX text, names, and whole writes.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <map>

#include "export/export_file.h"
#include "export/fit_encoder.h"
#include "export/tcx_writer.h"
#include "log/log_notices.h"
#include "recorder_test_support.h"

namespace {

const char HEADER[] = "Time,Distance,Pace,Watts,Cals,SPM,HR\n";
// Four data lines, the last the closing line, rowed from 23:31:30 UTC on 13 Feb 2009.
const char KNOWN[] =
    "300,10.0,0.250,180,1,24,0\n520,20.5,0.200,350,2,30,141\n"
    "760,31.0,0.210,302,3,28,150\n800,32.2,0.210,302,3,28,150\n";
const char NO_BELT[] =
    "300,10.0,0.250,180,1,24,0\n520,20.5,0.200,350,2,30,0\n"
    "760,31.0,0.210,302,3,28,0\n800,32.2,0.210,302,3,28,0\n";
const int32_t START = 1234567890;
const uint32_t FIT_START = 603502290;  // START in FIT time

RowWorkout Workout(const char* lines) {
    RowWorkout workout{START, {}};
    const std::string text = std::string(HEADER) + lines;
    EXPECT_TRUE(ParseRowWorkout(text.data(), text.size(), &workout));
    return workout;
}

// A FIT file read back by the definitions it carries: each (message, field) with its values
// in file order, and the messages' global numbers in order.
struct Fit {
    std::map<std::pair<int, int>, std::vector<uint32_t>> values;
    std::vector<int> messages;
};

Fit Decode(const std::string& file) {
    auto byte = [&](size_t at) { return at < file.size() ? (uint32_t)(uint8_t)file[at] : 0u; };
    std::map<int, std::pair<int, std::vector<std::pair<int, int>>>> definitions;
    Fit fit;
    const size_t end = 14 + (byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24);
    for (size_t at = 14; at < end && at < file.size();) {
        auto& definition = definitions[byte(at) & 0xF];
        if (byte(at++) & 0x40) {
            definition = {(int)(byte(at + 2) | byte(at + 3) << 8), {}};
            for (uint32_t i = 0, n = byte(at + 4); i < n; i++)
                definition.second.push_back({byte(at + 5 + 3 * i), byte(at + 6 + 3 * i)});
            at += 5 + 3 * definition.second.size();
            continue;
        }
        fit.messages.push_back(definition.first);
        for (auto [number, size] : definition.second) {
            uint32_t value = 0;
            for (int i = 0; i < size; i++) value |= byte(at++) << 8 * i;
            fit.values[{definition.first, number}].push_back(value);
        }
    }
    return fit;
}

TEST(FitExport, CrcGuardsTheHeaderAndTheWholeFile) {
    EXPECT_EQ(FitCrc(0, (const uint8_t*)"123456789", 9), 0xBB3D);
    const std::string file = EncodeFitActivity(Workout(KNOWN), 0);
    const uint8_t* bytes = (const uint8_t*)file.data();
    ASSERT_GT(file.size(), 16u);
    EXPECT_EQ(file.substr(8, 4), ".FIT");
    EXPECT_EQ(bytes[12] | bytes[13] << 8, FitCrc(0, bytes, 12));
    EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16, (int)file.size() - 16);
    EXPECT_EQ(FitCrc(0, bytes, file.size()), 0);  // the closing CRC makes it 0
}

// clang-format off
const struct {
    int message, field;
    std::vector<uint32_t> withBelt, withoutBelt;  // empty: the same as with a belt
} FIELDS[] = {
    {20, 253, {FIT_START + 3, FIT_START + 5, FIT_START + 7, FIT_START + 8}, {}},
    {20, 5, {1000, 2050, 3100, 3220}, {}},      // centimetres
    {20, 6, {4000, 5000, 4762, 4762}, {}},      // millimetres a second
    {20, 7, {180, 350, 302, 302}, {}},
    {20, 4, {24, 30, 28, 28}, {}},
    {20, 3, {0xFF, 141, 150, 150}, {0xFF, 0xFF, 0xFF, 0xFF}},
    {21, 253, {FIT_START, FIT_START + 8}, {}},  // timer start, stop all
    {21, 1, {0, 4}, {}},
    {18, 5, {15}, {}}, {18, 6, {14}, {}},       // rowing, indoor rowing
    {18, 2, {FIT_START}, {}}, {18, 253, {FIT_START + 8}, {}},
    {18, 7, {8000}, {}}, {18, 8, {8000}, {}}, {18, 9, {3220}, {}}, {18, 11, {3}, {}},
    {18, 14, {4025}, {}}, {18, 15, {5000}, {}}, {18, 20, {283}, {}}, {18, 21, {350}, {}},
    {18, 18, {30}, {}}, {18, 19, {30}, {}}, {18, 16, {110}, {0xFF}}, {18, 17, {150}, {0xFF}},
    {18, 0, {8}, {}}, {18, 26, {1}, {}},
    {19, 0, {9}, {}}, {19, 7, {8000}, {}}, {19, 9, {3220}, {}}, {19, 11, {3}, {}},
    {19, 13, {4025}, {}}, {19, 19, {283}, {}}, {19, 17, {30}, {}}, {19, 15, {110}, {0xFF}},
    {19, 25, {15}, {}}, {19, 39, {14}, {}},
    {34, 253, {FIT_START + 8}, {}}, {34, 0, {8000}, {}}, {34, 1, {1}, {}},
    {34, 5, {FIT_START + 8 + 3600}, {}},        // local time, an hour ahead
    {0, 0, {4}, {}},                            // an activity file
};
// clang-format on

TEST(FitExport, AKnownWorkoutReadsBackFieldByFieldWithAndWithoutABelt) {
    for (bool belt : {true, false}) {
        const Fit fit = Decode(EncodeFitActivity(Workout(belt ? KNOWN : NO_BELT), 3600));
        EXPECT_EQ(fit.messages, (std::vector<int>{0, 21, 20, 20, 20, 20, 21, 19, 18, 34}));
        for (const auto& f : FIELDS) {
            auto found = fit.values.find({f.message, f.field});
            const auto& expected = belt || f.withoutBelt.empty() ? f.withBelt : f.withoutBelt;
            EXPECT_EQ(found == fit.values.end() ? std::vector<uint32_t>{} : found->second,
                      expected)
                << "message " << f.message << " field " << f.field << (belt ? "" : " no belt");
        }
    }
}

TEST(FitExport, OneStrokeIsOneRecordAndItsOwnTotals) {
    const Fit fit = Decode(EncodeFitActivity(Workout("150,5.0,0.250,200,0,22,0\n"), 0));
    EXPECT_EQ(fit.values.at({20, 253}), std::vector<uint32_t>{FIT_START + 1});
    EXPECT_EQ(fit.values.at({18, 7}), std::vector<uint32_t>{1500});
    EXPECT_EQ(fit.values.at({18, 18}), std::vector<uint32_t>{40});  // 1 line in 1.5 s
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size())
        count++;
    return count;
}

TEST(TcxExport, OneLapOfTotalsAndATrackpointPerLine) {
    const std::string tcx = EncodeTcxActivity(Workout(KNOWN));
    for (const char* part :
         {"<Activity Sport=\"Other\">\n      <Id>2009-02-13T23:31:30Z</Id>",
          "<TotalTimeSeconds>8.00</TotalTimeSeconds>\n        <DistanceMeters>32.2</",
          "<Calories>3</Calories>\n        <AverageHeartRateBpm><Value>110</Value>",
          "<MaximumHeartRateBpm><Value>150</Value>", "<Cadence>30</Cadence>\n        <Trigger",
          "<Time>2009-02-13T23:31:35.20Z</Time>\n            <DistanceMeters>20.5</",
          "<HeartRateBpm><Value>141</Value></HeartRateBpm>\n            <Cadence>30</",
          "<ns3:Speed>5.000</ns3:Speed><ns3:Watts>350</ns3:Watts>"})
        EXPECT_EQ(Count(tcx, part), 1u) << part;
    EXPECT_EQ(Count(tcx, "<Trackpoint>"), 4u);
    EXPECT_EQ(Count(tcx, "<HeartRateBpm>"), 3u);  // none for the line without
    EXPECT_EQ(Count(EncodeTcxActivity(Workout(NO_BELT)), "HeartRateBpm"), 0u);
}

TEST(Export, NamesTakeTheLocalStartAndWholeMetres) {
    const struct {
        const char* zone;
        int32_t time;
        double metres;
        ExportFormat format;
        const char* name;
        int32_t offset;
    } CASES[] = {
        {"UTC", START, 1999.96, EXPORT_FIT, "2009-02-13 2331 1999m.fit", 0},
        {"CET-1", START, 2000.0, EXPORT_TCX, "2009-02-14 0031 2000m.tcx", 3600},
        {"CET-1", 1230767999, 5.0, EXPORT_FIT, "2009-01-01 0059 5m.fit", 3600},  // year's end
        {"EST5", 1230768000, 0.4, EXPORT_FIT, "2008-12-31 1900 0m.fit", -18000},
    };
    for (const auto& c : CASES) {
        setenv("TZ", c.zone, 1);
        tzset();
        char name[64];
        FormatExportName(name, sizeof name, c.time, c.metres, c.format);
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(LocalOffsetSeconds(c.time), c.offset) << c.name;
    }
    unsetenv("TZ");
    tzset();
    EXPECT_EQ(ExportFormatOfName("C:\\x.TCX", EXPORT_FIT), EXPORT_TCX);
    EXPECT_EQ(ExportFormatOfName("x.fit.txt", EXPORT_TCX), EXPORT_TCX);
}

TEST(Export, ANotValidRowFileIsReportedAndAFailedWriteLeavesNothing) {
    recorder_test::TempBase base;
    std::filesystem::create_directories(base.DataFolder());
    std::ofstream(base.RowFilePath(7)) << HEADER << "300,10.0,0.250,180,1,24,0\n0,0.0,0,0,0,0,0\n";
    static std::string reported;
    rowFileNotValid = [](const char* path) { reported = path; };
    RowWorkout workout;
    EXPECT_EQ(ReadRowWorkout(7, &workout), ROW_FILE_NOT_VALID);
    EXPECT_EQ(ReadRowWorkout(8, &workout), ROW_FILE_MISSING);
    rowFileNotValid = NULL;
    EXPECT_EQ(reported, base.RowFilePath(7));

    const std::string target = base.path() + "/old.fit";
    std::ofstream(target) << "old";
    EXPECT_FALSE(WriteFileWhole(target.c_str(), "new", [](const char*, const char*) {
        return false;
    }));
    EXPECT_EQ(recorder_test::ReadFile(target), "old");
    EXPECT_FALSE(recorder_test::FileExists(target + ".part"));
    EXPECT_FALSE(WriteExport(Workout(KNOWN), EXPORT_FIT, (base.path() + "/no/x.fit").c_str()));
    EXPECT_TRUE(WriteExport(Workout(KNOWN), EXPORT_TCX, target.c_str()));
    EXPECT_EQ(recorder_test::ReadFile(target), EncodeTcxActivity(Workout(KNOWN)));
}

}  // namespace
