// The strip graph's window-free parts: series, box, scale labels and where samples land.
#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

class DisplayStripGeometry : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultGraphSettings(); }

    std::vector<std::string> Labels(GraphScale scale)
    {
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

TEST_F(DisplayStripGeometry, DefaultScalesLabelWholeNumbers)
{
    EXPECT_EQ(LabelList({"0", "50", "100", "150", "200", "250"}),
              Labels(GraphSeriesScale(settings, SERIES_POWER)));
    EXPECT_EQ(LabelList({"0", "8", "16", "24", "32", "40"}),
              Labels(GraphSeriesScale(settings, SERIES_STROKE_RATE)));
    EXPECT_EQ(LabelList({"0", "1", "2", "3", "4", "5"}),
              Labels(GraphSeriesScale(settings, SERIES_PACE)));
    EXPECT_EQ(LabelList({"0", "40", "80", "120", "160", "200"}),
              Labels(GraphSeriesScale(settings, SERIES_HEART_RATE)));
}

TEST_F(DisplayStripGeometry, RangeNotAMultipleOfFiveGetsOneDecimal)
{
    EXPECT_EQ(1, ScaleLabelDecimals({0, 7}));
    EXPECT_EQ(LabelList({"0.0", "1.4", "2.8", "4.2", "5.6", "7.0"}), Labels({0, 7}));
    EXPECT_EQ(0, ScaleLabelDecimals({3, 13}));
    EXPECT_EQ(LabelList({"3", "5", "7", "9", "11", "13"}), Labels({3, 13}));
}

TEST_F(DisplayStripGeometry, RangeZeroLabelsAllReadTheMinimum)
{
    EXPECT_EQ(0, ScaleLabelDecimals({120, 120}));
    EXPECT_EQ(LabelList(6, "120"), Labels({120, 120}));
}

TEST_F(DisplayStripGeometry, NegativeRangeLabelsFollowTheFormula)
{
    // -7 mod 5 is -2: no decimals; the labels count down from the minimum.
    EXPECT_EQ(0, ScaleLabelDecimals({7, 0}));
    EXPECT_EQ(LabelList({"7", "6", "4", "3", "1", "0"}), Labels({7, 0}));
}

TEST_F(DisplayStripGeometry, ExtremeScalesDoNotOverflow)
{
    GraphScale scale = {INT32_MIN, INT32_MAX};
    std::vector<std::string> labels = Labels(scale);
    EXPECT_EQ("-2147483648", labels[0]);
    EXPECT_EQ("2147483647", labels[5]);
    GraphBox box = LiveBox();
    EXPECT_EQ(box.top, IntegerSampleY(box, scale, INT32_MAX));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, scale, INT32_MIN));
}

TEST_F(DisplayStripGeometry, SeriesColoursInDrawingOrder)
{
    SeriesColour power = GraphSeriesColour(SERIES_POWER);
    EXPECT_EQ(255, power.red);
    EXPECT_EQ(140, power.green);
    EXPECT_EQ(0, power.blue);
    SeriesColour rate = GraphSeriesColour(SERIES_STROKE_RATE);
    EXPECT_EQ(0, rate.red);
    EXPECT_EQ(255, rate.blue);
    SeriesColour pace = GraphSeriesColour(SERIES_PACE);
    EXPECT_EQ(136, pace.green);
    EXPECT_EQ(0, pace.red);
    SeriesColour heart = GraphSeriesColour(SERIES_HEART_RATE);
    EXPECT_EQ(255, heart.red);
    EXPECT_EQ(0, heart.green);
}

TEST_F(DisplayStripGeometry, AllFourSeriesPushTheBox120Right)
{
    h->heartRateCount = 1;
    EXPECT_EQ(4, ShownSeriesCount(settings, *h));
    GraphBox box = LiveBox();
    EXPECT_EQ(130, box.left);
    EXPECT_EQ(660, box.width);
    EXPECT_EQ(250, box.top);
    EXPECT_EQ(550, box.bottom);
    EXPECT_EQ(30, LabelColumnX(1));
    EXPECT_EQ(60, LabelColumnX(2));
    EXPECT_EQ(90, LabelColumnX(3));
    EXPECT_EQ(120, LabelColumnX(4));
}

TEST_F(DisplayStripGeometry, PowerAndHeartRateTakeTwoColumns)
{
    h->heartRateCount = 5;
    settings.showStrokeRate = settings.showPace = 0;
    EXPECT_TRUE(GraphSeriesShown(settings, *h, SERIES_POWER));
    EXPECT_FALSE(GraphSeriesShown(settings, *h, SERIES_STROKE_RATE));
    EXPECT_FALSE(GraphSeriesShown(settings, *h, SERIES_PACE));
    EXPECT_TRUE(GraphSeriesShown(settings, *h, SERIES_HEART_RATE));
    GraphBox box = StripGraphBox(settings, *h, 10, 220, 790, 330);
    EXPECT_EQ(70, box.left);
    EXPECT_EQ(720, box.width);
    EXPECT_EQ(550, box.bottom);
}

TEST_F(DisplayStripGeometry, NoHeartRateSeenMeansNoHeartRateColumn)
{
    h->heartRateCount = 0;
    EXPECT_FALSE(GraphSeriesShown(settings, *h, SERIES_HEART_RATE));
    EXPECT_EQ(3, ShownSeriesCount(settings, *h));
    EXPECT_EQ(100, LiveBox().left);
    EXPECT_EQ(690, LiveBox().width);
}

TEST_F(DisplayStripGeometry, LabelsStepUpFromTheBottomEdge)
{
    GraphBox box = LiveBox();
    EXPECT_EQ(543, ScaleLabelY(box, 0));
    EXPECT_EQ(483, ScaleLabelY(box, 1));
    EXPECT_EQ(243, ScaleLabelY(box, 5));
    GraphBox summary = StripGraphBox(settings, *h, 10, 220, 790, 330);
    EXPECT_EQ(550 - 66 - 7, ScaleLabelY(summary, 1));
    EXPECT_EQ(550 - 198 - 7, ScaleLabelY(summary, 3));
}

TEST_F(DisplayStripGeometry, ColumnsSpanTheBoxWidth)
{
    GraphBox box = LiveBox();  // left 100, width 690
    EXPECT_EQ(100, GraphColumnX(box, 0, 7));
    EXPECT_EQ(100 + 690 / 7, GraphColumnX(box, 1, 7));
    EXPECT_EQ(100 + 690 * 5 / 7, GraphColumnX(box, 5, 7));
    EXPECT_EQ(790, GraphColumnX(box, 7, 7));
    EXPECT_EQ(790, GraphColumnX(box, LAST_SAMPLE_INDEX, LAST_SAMPLE_INDEX));
    EXPECT_EQ(100, GraphColumnX(box, 0, 0));
}

TEST_F(DisplayStripGeometry, IntegerSamplesScaleWithTruncation)
{
    GraphBox box = LiveBox();  // bottom 550, height 300
    EXPECT_EQ(400, IntegerSampleY(box, {0, 250}, 125));
    EXPECT_EQ(550 - 42, IntegerSampleY(box, {0, 7}, 1));  // 300 / 7 = 42.86
    EXPECT_EQ(550, IntegerSampleY(box, {0, 250}, 0));
    EXPECT_EQ(250, IntegerSampleY(box, {0, 250}, 250));
}

TEST_F(DisplayStripGeometry, SamplesOutsideTheScaleSitOnTheEdges)
{
    GraphBox box = LiveBox();
    EXPECT_EQ(box.top, IntegerSampleY(box, {0, 250}, 400));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {100, 250}, 20));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {0, 250}, -5));
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 0.1));    // 10 m/s
    EXPECT_EQ(box.bottom, PaceSampleY(box, {2, 5}, 1.0));  // 1 m/s
}

TEST_F(DisplayStripGeometry, RangeZeroDrawsFlatOnTheBottomEdge)
{
    GraphBox box = LiveBox();
    for (int32_t value : {0, 120, 500, -3})
        EXPECT_EQ(box.bottom, IntegerSampleY(box, {120, 120}, value));
    for (double pace : {0.0, 0.25, 1.0, -1.0})
        EXPECT_EQ(box.bottom, PaceSampleY(box, {3, 3}, pace));
}

TEST_F(DisplayStripGeometry, NegativeRangeFollowsTheFormulaInsideTheBox)
{
    GraphBox box = LiveBox();
    // min 250 at the bottom, max 0 at the top; beyond either end sits on that edge.
    EXPECT_EQ(400, IntegerSampleY(box, {250, 0}, 125));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {250, 0}, 250));
    EXPECT_EQ(box.top, IntegerSampleY(box, {250, 0}, 0));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {250, 0}, 300));
    EXPECT_EQ(box.top, IntegerSampleY(box, {250, 0}, -50));
    EXPECT_EQ(box.bottom, PaceSampleY(box, {5, 0}, 0.0));
}

TEST_F(DisplayStripGeometry, PaceIsPlottedAsSpeed)
{
    GraphBox box = LiveBox();
    EXPECT_EQ(430, PaceSampleY(box, {0, 5}, 0.5));   // 2 m/s
    EXPECT_EQ(464, PaceSampleY(box, {0, 5}, 0.7));   // 550 - 85.71, truncated
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 0.0));  // infinitely fast
    EXPECT_EQ(box.bottom, PaceSampleY(box, {0, 5}, -0.5));
    EXPECT_EQ(box.bottom, PaceSampleY(box, {0, 5}, NAN));
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 1e-300));
}

TEST_F(DisplayStripGeometry, EachSeriesReadsItsOwnArray)
{
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
}

// The line through every sample, for comparison with the collapsed one.
std::vector<PlotPoint> EverySample(const GraphBox& box, GraphScale scale, const StrokeHistory& h,
                                   int series, int lastSample)
{
    std::vector<PlotPoint> points;
    for (int k = 0; k <= lastSample; ++k)
        points.push_back(
            {GraphColumnX(box, k, lastSample), GraphSampleY(box, scale, h, series, k)});
    return points;
}

// Per run of points on one x: where the line enters and leaves and how far it reaches.
struct Run {
    int x, entry, exit, low, high;
    bool operator==(const Run& o) const
    {
        return x == o.x && entry == o.entry && exit == o.exit && low == o.low && high == o.high;
    }
};

std::vector<Run> Runs(const PlotPoint* points, int count)
{
    std::vector<Run> runs;
    for (int i = 0; i < count; ++i) {
        const PlotPoint& p = points[i];
        if (runs.empty() || runs.back().x != p.x) {
            runs.push_back({p.x, p.y, p.y, p.y, p.y});
            continue;
        }
        Run& r = runs.back();
        r.exit = p.y;
        r.low = std::min(r.low, p.y);
        r.high = std::max(r.high, p.y);
    }
    return runs;
}

void FillNoisyWorkout(StrokeHistory& h, int lastSample)
{
    uint32_t seed = 12345;
    h.lastSample = lastSample;
    for (int k = 0; k <= lastSample; ++k) {
        seed = seed * 1103515245u + 12345u;
        h.power[k] = 100 + (int)(seed >> 16) % 200;
        h.pace[k] = 0.15 + ((seed >> 8) % 100) / 400.0;
    }
}

TEST_F(DisplayStripGeometry, FewSamplesKeepEveryPoint)
{
    FillNoisyWorkout(*h, 200);  // fewer samples than columns: every sample its own x
    GraphBox box = LiveBox();
    GraphScale scale = GraphSeriesScale(settings, SERIES_POWER);
    std::vector<PlotPoint> line(201);
    ASSERT_EQ(201, SeriesPolyline(box, scale, *h, SERIES_POWER, 200, line.data()));
    std::vector<PlotPoint> every = EverySample(box, scale, *h, SERIES_POWER, 200);
    for (int k = 0; k <= 200; ++k) {
        EXPECT_EQ(every[k].x, line[k].x) << k;
        EXPECT_EQ(every[k].y, line[k].y) << k;
    }
}

TEST_F(DisplayStripGeometry, ManySamplesCollapseToFourPointsAColumn)
{
    FillNoisyWorkout(*h, LAST_SAMPLE_INDEX);
    GraphBox box = LiveBox();
    for (int series : {SERIES_POWER, SERIES_PACE}) {
        GraphScale scale = GraphSeriesScale(settings, series);
        std::vector<PlotPoint> line(MAX_SAMPLES);
        int count = SeriesPolyline(box, scale, *h, series, LAST_SAMPLE_INDEX, line.data());
        EXPECT_LE(count, 4 * (box.width + 1));
        std::vector<PlotPoint> every = EverySample(box, scale, *h, series, LAST_SAMPLE_INDEX);
        EXPECT_TRUE(Runs(every.data(), MAX_SAMPLES) == Runs(line.data(), count));
        EXPECT_EQ(box.left, line[0].x);
        EXPECT_EQ(every[0].y, line[0].y);
        EXPECT_EQ(box.left + box.width, line[count - 1].x);
        EXPECT_EQ(every.back().y, line[count - 1].y);
    }
}

TEST_F(DisplayStripGeometry, ColumnLeavesFromItsLastSample)
{
    // Five samples on one x (box 1 wide): in at 550 - 60, down to the bottom edge, up to
    // the top edge, out at 550 - 120.
    GraphBox box = {100, 250, 1, 300, 550};
    h->lastSample = 4;
    const int32_t power[] = {50, 0, 250, 125, 100};
    for (int k = 0; k < 5; ++k)
        h->power[k] = power[k];
    PlotPoint line[5];
    int count = SeriesPolyline(box, {0, 250}, *h, SERIES_POWER, 4, line);
    // Samples 1..3 land on x 100, the last on x 101; the column is 490, 550, 250, 400.
    ASSERT_EQ(5, count);
    const int y[] = {490, 550, 250, 400, 430};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(y[i], line[i].y) << i;
    EXPECT_EQ(101, line[4].x);
}

TEST_F(DisplayStripGeometry, SingleSampleIsOnlyTheStart)
{
    h->power[0] = 125;
    PlotPoint line[1];
    EXPECT_EQ(1, SeriesPolyline(LiveBox(), {0, 250}, *h, SERIES_POWER, 0, line));
    EXPECT_EQ(LiveBox().left, line[0].x);
    EXPECT_EQ(400, line[0].y);
}

}  // namespace
