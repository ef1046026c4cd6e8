// The strip graph's window-free parts: series, box, scale labels and where samples land.
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <vector>

#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

class DisplayStripGeometry : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultGraphSettings(); }

    std::vector<std::string> Labels(GraphScale scale) {
        std::vector<std::string> labels;
        for (int j = 0; j < SCALE_LABELS; ++j) {
            char text[SCALE_LABEL_TEXT_SIZE];
            FormatScaleLabel(scale, j, text, sizeof text);
            labels.push_back(text);
        }
        return labels;
    }

    // The live layout's box with all four series: left 130, top 250, right 790, height 300.
    GraphBox LiveBox() { return StripGraphBox(settings, *h, 10, 250, 790, 300); }

    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
};

using LabelList = std::vector<std::string>;

TEST_F(DisplayStripGeometry, ScaleLabelsGetADecimalOnlyWhenFifthsAreNotWhole) {
    EXPECT_EQ(LabelList({"0", "50", "100", "150", "200", "250"}),
              Labels(GraphSeriesScale(settings, SERIES_POWER)));
    EXPECT_EQ(LabelList({"0", "8", "16", "24", "32", "40"}),
              Labels(GraphSeriesScale(settings, SERIES_STROKE_RATE)));
    EXPECT_EQ(LabelList({"0", "1", "2", "3", "4", "5"}),
              Labels(GraphSeriesScale(settings, SERIES_PACE)));
    EXPECT_EQ(LabelList({"0", "40", "80", "120", "160", "200"}),
              Labels(GraphSeriesScale(settings, SERIES_HEART_RATE)));
    EXPECT_EQ(LabelList({"0.0", "1.4", "2.8", "4.2", "5.6", "7.0"}), Labels({0, 7}));
    EXPECT_EQ(LabelList({"3", "5", "7", "9", "11", "13"}), Labels({3, 13}));
}

// Each series shown takes a 30-unit label column left of the box; heart rate only once seen.
TEST_F(DisplayStripGeometry, EachShownSeriesPushesTheBoxRight) {
    const struct {
        int32_t heartRateCount;
        uint8_t strokeRateAndPace;
        int series, left, width;
    } cases[] = {{1, 1, 4, 130, 660}, {5, 0, 2, 70, 720}, {0, 1, 3, 100, 690}};
    for (const auto& c : cases) {
        h->heartRateCount = c.heartRateCount;
        settings.showStrokeRate = settings.showPace = c.strokeRateAndPace;
        EXPECT_EQ(c.series, ShownSeriesCount(settings, *h));
        EXPECT_EQ(c.heartRateCount != 0, GraphSeriesShown(settings, *h, SERIES_HEART_RATE));
        GraphBox box = StripGraphBox(settings, *h, 10, 220, 790, 330);
        EXPECT_EQ((std::vector<int>{c.left, c.width, 220, 550}),
                  (std::vector<int>{box.left, box.width, box.top, box.bottom}));
    }
}

TEST_F(DisplayStripGeometry, SamplesOutsideTheScaleSitOnTheEdges) {
    GraphBox box = LiveBox();
    EXPECT_EQ(box.top, IntegerSampleY(box, {0, 250}, 400));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {100, 250}, 20));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {0, 250}, -5));
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 0.1));     // 10 m/s
    EXPECT_EQ(box.bottom, PaceSampleY(box, {2, 5}, 1.0));  // 1 m/s
    EXPECT_EQ(550 - 42, IntegerSampleY(box, {0, 7}, 1));   // 300 / 7 = 42.86, truncated
    EXPECT_EQ(box.bottom, PaceSampleY(box, {0, 5}, NAN));
}

TEST_F(DisplayStripGeometry, EachSeriesReadsItsOwnArray) {
    GraphBox box = LiveBox();
    h->power[2] = 125;
    h->strokeRate[2] = 20;
    h->pace[2] = 0.5;
    h->heartRate[2] = 50;
    const int expected[SERIES_COUNT] = {400, 400, 430, 475};
    for (int series = 0; series < SERIES_COUNT; ++series) {
        GraphScale scale = GraphSeriesScale(settings, series);
        EXPECT_EQ(expected[series], GraphSampleY(box, scale, *h, series, 2)) << series;
    }
    SeriesColour blue = GraphSeriesColour(SERIES_STROKE_RATE);
    EXPECT_EQ((std::vector<int>{0, 0, 255}), (std::vector<int>{blue.red, blue.green, blue.blue}));
    EXPECT_EQ(box.left + box.width, GraphColumnX(box, 7, 7));  // the newest sample at the edge
}

}  // namespace
