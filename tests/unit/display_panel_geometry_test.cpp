// The display panel's window-free parts: sizes, layout choice, pace and the lines' texts.
#include <gtest/gtest.h>

#include <vector>

#include "display/format_time.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

class DisplayPanelGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
    }
    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
    PanelLine lines[MAX_PANEL_LINES];
};

TEST_F(DisplayPanelGeometry, PrintersUseThePrintablePageAndAFullClearTheDesktop) {
    PanelSize size = PanelDrawingSize(640, 480, 2479, 3508, 50, 60);
    EXPECT_EQ(2379, size.width);
    EXPECT_EQ(3388, size.height);
    size = PanelDrawingSize(640, 480, 0, 0, 0, 0);  // a screen: the client rectangle
    EXPECT_EQ(640, size.width);
    EXPECT_EQ(480, size.height);
    size = FullClearSize(100, 100, 2560, 1440);  // a full clear covers a large desktop
    EXPECT_EQ((std::vector<int>{2560, 1440}), (std::vector<int>{size.width, size.height}));
}

TEST_F(DisplayPanelGeometry, LiveLayoutShowsTheNewestSample) {
    h->workTime = 6150;
    h->distance = 1234.56;
    h->lastSample = 3;
    h->pace[3] = 0.25;
    h->strokeRate[3] = 28;
    h->heartRate[3] = 150;
    h->distancePerStroke = 10.24;
    h->power[3] = 230;
    h->calories = 42;
    h->strokeState = 4;
    ASSERT_EQ(10, FormatPanelLines(*h, lines));
    const char* expected[] = {"Time: 1:01.50",   "Distance: 1234.6", "Pace: 2:05.00",
                              "Stroke Rate: 28", "Strokes: 3",       "Heart Rate: 150",
                              "DPS: 10.2",       "Power: 230",       "Cals: 42",
                              "State: Recovery"};
    const int units[] = {NO_UNIT, 46, 47, 48, NO_UNIT, 49, 50, 51, 52, NO_UNIT};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
        EXPECT_EQ(units[i], lines[i].unitText) << "line " << i;
        EXPECT_TRUE(units[i] == NO_UNIT || lines[i].unitY == lines[i].y + 15) << "line " << i;
    }
}

TEST_F(DisplayPanelGeometry, SummaryLayoutShowsAveragesWithoutState) {
    h->avgPower = 187;
    h->avgStrokeRate = 27;
    h->avgHeartRate = 142;
    h->workTime = 42000;
    h->distance = 2000.0;
    h->lastSample = 210;
    h->distancePerStroke = 9.52;
    h->calories = 120;
    h->power[210] = 999;  // the newest sample must not show
    ASSERT_EQ(9, FormatPanelLines(*h, lines));
    const char* expected[] = {"Time: 7:00.00",   "Distance: 2000.0", "Pace: 1:45.00",
                              "Stroke Rate: 27", "Strokes: 210",     "Heart Rate: 142",
                              "DPS: 9.5",        "Power: 187",       "Cals: 120"};
    const int units[] = {NO_UNIT, 46, 47, 48, NO_UNIT, 49, 50, 51, 52};
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
        EXPECT_EQ(units[i], lines[i].unitText) << "line " << i;
    }
}

TEST_F(DisplayPanelGeometry, GraphSitsBelowTheNumbers) {
    GraphPlacement live = PanelGraphPlacement(*h, true);
    EXPECT_TRUE(live.draw);
    EXPECT_EQ((std::vector<int>{10, 250, 790, 300}),
              (std::vector<int>{live.left, live.top, live.right, live.height}));
    EXPECT_FALSE(PanelGraphPlacement(*h, false).draw);  // live: only on full redraws
    h->avgPower = 150;
    for (bool full : {true, false}) {
        GraphPlacement g = PanelGraphPlacement(*h, full);
        EXPECT_TRUE(g.draw);
        EXPECT_EQ((std::vector<int>{10, 220, 790, 330}),
                  (std::vector<int>{g.left, g.top, g.right, g.height}));
    }
}

}  // namespace
