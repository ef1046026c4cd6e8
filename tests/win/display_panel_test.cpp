// DrawPanel and DrawStripGraph into memory bitmaps: where the series and frame land, what a
// tick redraws, and the collapsed lines of a long workout.
#include <gtest/gtest.h>

#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"
#include "tests/win/display_win_support.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0), RED = RGB(255, 0, 0), ORANGE = RGB(255, 140, 0);
const COLORREF BLUE = RGB(0, 0, 255), GREEN = RGB(0, 136, 0);

class DisplayPanelWin : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
        statusLine[0] = '\0';
        // power 125 of 0-250, rate 10 of 0-40, 2 m/s of 0-5, heart rate 160 of 0-200.
        h->lastSample = 10;
        h->heartRateCount = 1;
        for (int k = 0; k <= 10; ++k) {
            h->power[k] = 125;
            h->strokeRate[k] = 10;
            h->pace[k] = 0.5;
            h->heartRate[k] = 160;
        }
    }
    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
    StandInMainWindow main{800, 560};
    TestBitmap bitmap;
};

TEST_F(DisplayPanelWin, SeriesAndFrameLieWhereTheGeometrySaysAndATickLeavesThem) {
    DrawPanel(bitmap.dc, h.get(), 1);
    // In the box from (130, 250) to (790, 550), each series a line across it.
    for (int x : {140, 500, 785}) {
        EXPECT_EQ(ORANGE, bitmap.At(x, 400)) << x;
        EXPECT_EQ(BLUE, bitmap.At(x, 475)) << x;
        EXPECT_EQ(GREEN, bitmap.At(x, 430)) << x;
        EXPECT_EQ(RED, bitmap.At(x, 310)) << x;
    }
    // The frame, 2 wide, around the box; nothing of the series right of it.
    EXPECT_EQ(2, bitmap.CountColour(126, 270, 132, 271, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(788, 270, 794, 271, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(300, 246, 301, 252, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(300, 548, 301, 554, BLACK));
    EXPECT_EQ(0, bitmap.CountColour(792, 240, 1920, 1200, ORANGE));

    std::vector<DWORD> graph = bitmap.Rows(240, 1200), numbers = bitmap.Rows(0, 240);
    for (int k = 0; k <= 10; ++k) h->power[k] = 250;
    h->workTime = 123456;
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_TRUE(graph == bitmap.Rows(240, 1200));
    EXPECT_FALSE(numbers == bitmap.Rows(0, 240));
}

// The plain way: one LineTo per sample, straight from the geometry.
void DrawEverySample(HDC dc, const StrokeHistory& h, const GraphBox& box) {
    for (int series = 0; series < SERIES_COUNT; ++series) {
        SeriesColour c = GraphSeriesColour(series);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(c.red, c.green, c.blue));
        HGDIOBJ old = SelectObject(dc, pen);
        GraphScale scale = GraphSeriesScale(settings, series);
        MoveToEx(dc, box.left, GraphSampleY(box, scale, h, series, 0), NULL);
        for (int k = 1; k <= h.lastSample; ++k)
            LineTo(dc, GraphColumnX(box, k, h.lastSample), GraphSampleY(box, scale, h, series, k));
        DeleteObject(SelectObject(dc, old));
    }
}

TEST_F(DisplayPanelWin, CollapsedLinesMatchLinesThroughEverySample) {
    uint32_t seed = 777;
    h->lastSample = LAST_SAMPLE_INDEX;
    for (int k = 0; k < MAX_SAMPLES; ++k) {
        seed = seed * 1103515245u + 12345u;
        h->power[k] = 120 + (int)(seed >> 16) % 120;
        h->strokeRate[k] = 20 + (int)(seed >> 20) % 12;
        h->pace[k] = 1.0 / (2.5 + ((seed >> 8) % 100) / 80.0);
        h->heartRate[k] = 130 + (int)(seed >> 12) % 40;
    }
    // What DrawPanel has set up before it hands over: white brush, bold 15 label font.
    HFONT font = CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                             "Arial");
    // One unit per pixel, and the 1920 x 1200 main window's scale, where the pens are wide.
    for (bool scaled : {false, true}) {
        TestBitmap fast, plain;
        for (HDC dc : {fast.dc, plain.dc}) {
            SelectObject(dc, GetStockObject(WHITE_BRUSH));
            SelectObject(dc, font);
            if (!scaled) continue;
            SetMapMode(dc, MM_ISOTROPIC);
            SetWindowExtEx(dc, 400, 280, NULL);
            SetViewportExtEx(dc, 960, 600, NULL);
        }
        DrawStripGraph(fast.dc, h.get(), 10, 250, 790, 300);
        h->lastSample = 0;  // the frame and labels alone, then every sample's line
        DrawStripGraph(plain.dc, h.get(), 10, 250, 790, 300);
        h->lastSample = LAST_SAMPLE_INDEX;
        DrawEverySample(plain.dc, *h, StripGraphBox(settings, *h, 10, 250, 790, 300));
        EXPECT_TRUE(fast.Rows(0, 1200) == plain.Rows(0, 1200)) << "scaled " << scaled;
        EXPECT_GT(fast.CountColour(0, 0, 1920, 1200, ORANGE), 1000);
        SelectObject(fast.dc, GetStockObject(SYSTEM_FONT));
        SelectObject(plain.dc, GetStockObject(SYSTEM_FONT));
    }
    DeleteObject(font);
}

}  // namespace
