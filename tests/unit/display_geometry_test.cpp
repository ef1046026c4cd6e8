// The display's window-free parts: time texts, panel sizes and lines, strip graph geometry.
#include <gtest/gtest.h>

#include <memory>

#include "display/format_time.h"
#include "display/panel_geometry.h"
#include "test_support.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {

using Texts = std::vector<std::string>;
using Ints = std::vector<int>;

// The English panel texts and a new settings file's graphs and scales.
class DisplayGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::UseEnglishTexts();
        ApplyDefaultSettings(&settings, {});
    }
    // Each line's text and unit; a unit sits 15 below its number's top.
    Texts Lines() {
        PanelLine lines[MAX_PANEL_LINES];
        Texts texts;
        for (int i = 0, n = FormatPanelLines(*h, lines); i < n; ++i) {
            const PanelLine& l = lines[i];
            auto unit = l.unitText == NO_UNIT ? "" : " " + std::string(textTable[l.unitText]);
            texts.push_back(l.text + unit);
            EXPECT_TRUE(l.unitText == NO_UNIT || l.unitY == l.y + 15) << l.text;
        }
        return texts;
    }
    std::unique_ptr<StrokeHistory> h = std::make_unique<StrokeHistory>();  // 400 KB
};

// Live, the newest sample and the state, the graph on full redraws only; a finished workout
// (one with an average power) its averages, the graph always. A printer's page is its printable
// part; a full clear covers the desktop.
TEST_F(DisplayGeometry, PanelShowsTheNewestSampleOrAFinishedWorkoutsAveragesOnScreenOrPage) {
    h->workTime = 6150, h->distance = 1234.56, h->lastSample = 3, h->pace[3] = 0.25;
    h->strokeRate[3] = 28, h->heartRate[3] = 150, h->distancePerStroke = 10.24;
    h->power[3] = 230, h->calories = 42, h->strokeState = 4;
    EXPECT_EQ(Lines(),
              (Texts{"Time: 1:01.50", "Distance: 1234.6 m", "Pace: 2:05.00 /500m",
                     "Stroke Rate: 28 s/m", "Strokes: 3", "Heart Rate: 150 bpm", "DPS: 10.2 m",
                     "Power: 230 watt", "Cals: 42 kcal", "State: Recovery"}));
    EXPECT_TRUE(PanelGraphPlacement(*h, true).draw);
    EXPECT_GT(PanelGraphPlacement(*h, true).top, STATUS_TOP + LABEL_FONT_HEIGHT);  // status above
    EXPECT_FALSE(PanelGraphPlacement(*h, false).draw);
    h->avgPower = 187;
    EXPECT_TRUE(PanelGraphPlacement(*h, false).draw);
    h->avgStrokeRate = 27, h->avgHeartRate = 142, h->workTime = 738405, h->distance = 21097.0;
    h->lastSample = 2210, h->distancePerStroke = 9.52, h->calories = 1200, h->power[2210] = 999;
    EXPECT_EQ(Lines(), (Texts{"Time: 2:03:04.05", "Distance: 21097.0 m", "Pace: 2:55.00 /500m",
                              "Stroke Rate: 27 s/m", "Strokes: 2210", "Heart Rate: 142 bpm",
                              "DPS: 9.5 m", "Power: 187 watt", "Cals: 1200 kcal"}));
    // A negative time has one minus; an hour takes its own place.
    EXPECT_STREQ(FormatTime(-6150), "-1:01.50");
    EXPECT_STREQ(FormatTime(372345), "1:02:03.45");
    PanelSize page = PanelDrawingSize(640, 480, 2479, 3508, 50, 60);
    PanelSize clear = FullClearSize(100, 100, 2560, 1440);
    EXPECT_EQ((Ints{page.width, page.height, clear.width, clear.height}),
              (Ints{2379, 3388, 2560, 1440}));
}

// Each series shown (heart rate only once a sample had one) takes a 30-unit label column left
// of the box; samples land inside the box.
TEST_F(DisplayGeometry, StripGraphBoxAndWhereSamplesLand) {
    GraphBox box = StripGraphBox(settings, *h, 10, 250, 790, 300);
    EXPECT_EQ((Ints{box.left, box.width, box.top, box.bottom}), (Ints{100, 690, 250, 550}));
    EXPECT_EQ(box.top, IntegerSampleY(box, {0, 250}, 400));
    EXPECT_EQ(box.bottom, IntegerSampleY(box, {100, 250}, 20));
    EXPECT_EQ(box.top, PaceSampleY(box, {0, 5}, 0.1));         // 10 m/s
    EXPECT_EQ(box.bottom, PaceSampleY(box, {2, 5}, 1.0));      // 1 m/s
    EXPECT_EQ(box.left + box.width, GraphColumnX(box, 7, 7));  // the newest at the right edge
    // Each label's middle where a sample of its value lands; a decimal only when fifths are
    // not whole.
    for (int j = 0; j <= 5; j++)
        EXPECT_EQ(ScaleLabelY(box, j) + LABEL_FONT_HEIGHT / 2, IntegerSampleY(box, {0, 5}, j));
    char text[SCALE_LABEL_TEXT_SIZE];
    FormatScaleLabel({0, 5}, 3, text, sizeof text);
    EXPECT_STREQ(text, "3");
    FormatScaleLabel({0, 7}, 3, text, sizeof text);
    EXPECT_STREQ(text, "4.2");
    // Each series in its own colour on its own scale.
    settings.powerMin = 10, settings.strokeRateMin = 20, settings.paceMin = 1,
    settings.heartRateMin = 40;
    const std::pair<int, Ints> series[] = {{SERIES_POWER, {255, 140, 0, 10, 250}},
                                           {SERIES_STROKE_RATE, {0, 0, 255, 20, 40}},
                                           {SERIES_PACE, {0, 136, 0, 1, 5}},
                                           {SERIES_HEART_RATE, {255, 0, 0, 40, 200}}};
    for (const auto& s : series) {
        const SeriesColour c = GraphSeriesColour(s.first);
        const GraphScale scale = GraphSeriesScale(settings, s.first);
        EXPECT_EQ((Ints{c.red, c.green, c.blue, scale.min, scale.max}), s.second) << s.first;
    }
    // Samples sharing a column collapse to their extremes; the line leaves at the last one.
    const int power[] = {100, 300, 200, 50, 100, 150, 120};  // columns of 3, 3 and 1
    for (int k = 0; k < 7; k++) h->power[k] = power[k];
    PlotPoint points[7];
    Ints exits(3);
    for (int i = 0, n = SeriesPolyline({0, 0, 2, 400, 400}, {0, 400}, *h, SERIES_POWER, 6, points);
         i < n; i++)
        exits[points[i].x] = points[i].y;
    EXPECT_EQ(exits, (Ints{200, 250, 280}));
    // Any one graph shown makes the picture high enough for it.
    settings.showPower = settings.showStrokeRate = settings.showHeartRate = 0;
    EXPECT_EQ(PanelLogicalHeight(settings), 560);
    settings.showPace = 0;
    EXPECT_EQ(PanelLogicalHeight(settings), 240);
}

}  // namespace
