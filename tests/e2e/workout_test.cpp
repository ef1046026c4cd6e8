// Programming a workout from the menu while a plain row is being recorded.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "transcript.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

int StrokePolls(const std::string& transcript) {
    int strokes = 0;
    for (const TranscriptCall& call : ReadTranscript(transcript)) strokes += IsStrokePoll(call);
    return strokes;
}

TEST(Workout, TwoThousandMetresCloseThePlainRowAndRecordTheirOwnFile) {
    TamsiProcess tamsi("two-thousand");
    // Fast and coarse: one poll is a second of rowing at 12.5 metres a second.
    tamsi.SetSimulator("TAMSI_SIM_STEP", "100");
    tamsi.SetSimulator("TAMSI_SIM_RATE", "20");
    tamsi.SetSimulator("TAMSI_SIM_PACE", "40");
    tamsi.SetSimulator("TAMSI_SIM_PIECE", "0");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "100");
    ASSERT_TRUE(tamsi.Start());
    ASSERT_TRUE(
        TamsiProcess::WaitFor([&] { return StrokePolls(tamsi.transcriptPath()) >= 4; }, 60000));
    ASSERT_EQ(ListFolder(tamsi.path("data")).size(), 1u);
    std::string plainRow = ListFolder(tamsi.path("data"))[0];

    tamsi.Command(IDM_DISTANCE_2000);
    // The monitor counts 2000 m down; the workout is over when its counters read 0 again.
    bool finished = TamsiProcess::WaitFor(
        [&] {
            std::vector<std::string> files = ListFolder(tamsi.path("data"));
            if (files.size() < 2) return false;
            std::vector<std::string> lines = ReadLines(tamsi.path("data\\" + files.back()));
            return !lines.empty() && lines.back().find(",2000.0,") != std::string::npos;
        },
        150000);
    SaveScreenshot("two-thousand");
    EXPECT_EQ(tamsi.Close(), 0);
    ASSERT_TRUE(finished);

    std::vector<std::string> files = ListFolder(tamsi.path("data"));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], plainRow);

    // The plain row got its closing line: its totals, then the last stroke's values again.
    std::vector<std::string> first = ReadLines(tamsi.path("data\\" + files[0]));
    ASSERT_GE(first.size(), 4u);
    std::vector<std::string> closing = Fields(first.back());
    std::vector<std::string> lastStroke = Fields(first[first.size() - 2]);
    ASSERT_EQ(closing.size(), 7u);
    EXPECT_GE(atoi(closing[0].c_str()), atoi(lastStroke[0].c_str()));
    EXPECT_GE(atof(closing[1].c_str()), atof(lastStroke[1].c_str()));
    EXPECT_EQ(std::vector<std::string>(closing.begin() + 2, closing.end()),
              std::vector<std::string>(lastStroke.begin() + 2, lastStroke.end()));

    // The workout's file: distances rise from near 0.0 to the closing 2000.0.
    std::vector<std::string> second = ReadLines(tamsi.path("data\\" + files[1]));
    ASSERT_GE(second.size(), 10u);
    EXPECT_EQ(second[0], "Time,Distance,Pace,Watts,Cals,SPM,HR");
    double previous = 0.0;
    EXPECT_LT(atof(Fields(second[1])[1].c_str()), 40.0);
    for (size_t i = 1; i < second.size(); i++) {
        double distance = atof(Fields(second[i])[1].c_str());
        EXPECT_GE(distance, previous) << second[i];
        previous = distance;
    }
    EXPECT_EQ(Fields(second.back())[1], "2000.0");

    // Meanwhile the monitor counted down from 2000.
    bool countedDown = false;
    double last = -1;
    for (const TranscriptCall& call : ReadTranscript(tamsi.transcriptPath())) {
        if (!IsCounterPoll(call) || call.response.size() < 19) continue;
        double distance =
            (call.response[11] | call.response[12] << 8 | call.response[13] << 16) / 10.0;
        if (last > 1000 && distance < last && distance > 0) countedDown = true;
        last = distance;
    }
    EXPECT_TRUE(countedDown);
}

}  // namespace
