// The display's window-free parts: time texts, panel sizes and lines, strip graph geometry.
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <vector>

#include "display/format_time.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

using Texts = std::vector<std::string>;
using Ints = std::vector<int>;

TEST(DisplayFormatTime, HundredthsAsMinutesOrHours) {
    const struct {
        int32_t hundredths;
        const char* text;
    } cases[] = {{0, "0:00.00"},        {7, "0:00.07"},          {6150, "1:01.50"},
                 {359999, "59:59.99"},  {360000, "1:00:00.00"},  {738405, "2:03:04.05"},
                 {-150, "-0:01.50"},    {-360000, "-1:00:00.00"}, {INT32_MIN, "-5965:13:56.48"}};
    for (const auto& c : cases) EXPECT_STREQ(c.text, FormatTime(c.hundredths)) << c.hundredths;
}

class DisplayGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
    }
    // Each line's text and unit; a unit sits 15 below its number's top.
    Texts Lines() {
        PanelLine lines[MAX_PANEL_LINES];
        Texts texts;
        for (int i = 0, n = FormatPanelLines(*h, lines); i < n; ++i) {
            const PanelLine& l = lines[i];
            texts.push_back(l.text + (l.unitText == NO_UNIT ? "" : " " + std::string(textTable[l.unitText])));
            EXPECT_TRUE(l.unitText == NO_UNIT || l.unitY == l.y + 15) << l.text;
        }
        return texts;
    }
    Ints Placement(bool full) {
        GraphPlacement g = PanelGraphPlacement(*h, full);
        return {g.draw, g.left, g.top, g.right, g.height};
    }
    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
};

TEST_F(DisplayGeometry, PrintersUseThePrintablePageAndAFullClearTheDesktop) {
    PanelSize page = PanelDrawingSize(640, 480, 2479, 3508, 50, 60);
    PanelSize clear = FullClearSize(100, 100, 2560, 1440);
    EXPECT_EQ((Ints{page.width, page.height, clear.width, clear.height}),
              (Ints{2379, 3388, 2560, 1440}));
}

// Live, the newest sample and the state, the graph on full redraws only; a finished workout
// (one with an average power) its averages, the graph higher up and always.
TEST_F(DisplayGeometry, PanelShowsTheNewestSampleOrTheAveragesOfAFinishedWorkout) {
    h->workTime = 6150, h->distance = 1234.56, h->lastSample = 3, h->pace[3] = 0.25;
    h->strokeRate[3] = 28, h->heartRate[3] = 150, h->distancePerStroke = 10.24;
    h->power[3] = 230, h->calories = 42, h->strokeState = 4;
    EXPECT_EQ(Lines(), (Texts{"Time: 1:01.50", "Distance: 1234.6 m", "Pace: 2:05.00 /500m",
                              "Stroke Rate: 28 s/m", "Strokes: 3", "Heart Rate: 150 bpm",
                              "DPS: 10.2 m", "Power: 230 watt", "Cals: 42 kcal",
                              "State: Recovery"}));
    EXPECT_EQ(Placement(true), (Ints{1, 10, 250, 790, 300}));
    EXPECT_EQ(Placement(false)[0], 0);
    h->avgPower = 187;
    EXPECT_EQ(Placement(false), (Ints{1, 10, 220, 790, 330}));
    h->avgStrokeRate = 27, h->avgHeartRate = 142, h->workTime = 42000, h->distance = 2000.0;
    h->lastSample = 210, h->distancePerStroke = 9.52, h->calories = 120, h->power[210] = 999;
    EXPECT_EQ(Lines(), (Texts{"Time: 7:00.00", "Distance: 2000.0 m", "Pace: 1:45.00 /500m",
                              "Stroke Rate: 27 s/m", "Strokes: 210", "Heart Rate: 142 bpm",
                              "DPS: 9.5 m", "Power: 187 watt", "Cals: 120 kcal"}));
}

TEST_F(DisplayGeometry, ScaleLabelsGetADecimalOnlyWhenFifthsAreNotWhole) {
    auto labels = [](GraphScale scale) {
        std::string all;
        char text[SCALE_LABEL_TEXT_SIZE];
        for (int j = 0; j < SCALE_LABELS; ++j) {
            FormatScaleLabel(scale, j, text, sizeof text);
            all += std::string(text) + " ";
        }
        return all;
    };
    EXPECT_EQ(labels({0, 5}), "0 1 2 3 4 5 ");
    EXPECT_EQ(labels({0, 7}), "0.0 1.4 2.8 4.2 5.6 7.0 ");
    EXPECT_EQ(labels({3, 13}), "3 5 7 9 11 13 ");
}

// Each series shown takes a 30-unit label column left of the box; heart rate only once seen.
TEST_F(DisplayGeometry, EachShownSeriesPushesTheBoxRight) {
    for (int32_t heartRateCount : {1, 0}) {
        h->heartRateCount = heartRateCount;
        GraphBox box = StripGraphBox(settings, *h, 10, 220, 790, 330);
        int left = heartRateCount ? 130 : 100;
        EXPECT_EQ((Ints{box.left, box.width, box.top, box.bottom}), (Ints{left, 790 - left, 220, 550}));
    }
}

TEST_F(DisplayGeometry, SamplesLandInsideTheBoxFromTheirOwnArrays) {
    GraphBox box = StripGraphBox(settings, *h, 10, 250, 790, 300);
    EXPECT_EQ(box.top, IntegerSampleY(box, {0, 250}, 400));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {100, 250}, 20));
    EXPECT_EQ(550 - 42, IntegerSampleY(box, {0, 7}, 1));   // 300 / 7 = 42.86, truncated
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 0.1));     // 10 m/s
    EXPECT_EQ(box.bottom, PaceSampleY(box, {2, 5}, 1.0));  // 1 m/s
    EXPECT_EQ(box.bottom, PaceSampleY(box, {0, 5}, NAN));
    h->power[2] = 125, h->strokeRate[2] = 20, h->pace[2] = 0.5, h->heartRate[2] = 50;
    const int expected[SERIES_COUNT] = {400, 400, 430, 475};
    for (int series = 0; series < SERIES_COUNT; ++series) {
        GraphScale scale = GraphSeriesScale(settings, series);
        EXPECT_EQ(expected[series], GraphSampleY(box, scale, *h, series, 2)) << series;
    }
    EXPECT_EQ(box.left + box.width, GraphColumnX(box, 7, 7));  // the newest at the right edge
    SeriesColour blue = GraphSeriesColour(SERIES_STROKE_RATE);
    EXPECT_EQ((Ints{blue.red, blue.green, blue.blue}), (Ints{0, 0, 255}));
}

}  // namespace
