// DrawStripGraph on its own, at one logical unit per pixel, into memory bitmaps.
#include <gtest/gtest.h>

#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"
#include "tests/win/display_win_support.h"

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF ORANGE = RGB(255, 140, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREEN = RGB(0, 136, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF FILL = RGB(10, 20, 30);

// The live layout's box: left 10, top 250, right 790, height 300.
const int LEFT = 10, TOP = 250, RIGHT = 790, HEIGHT = 300, BOTTOM = 550;

class DisplayStripGraphWin : public ::testing::Test {
protected:
    void SetUp() override {
        SetDefaultGraphSettings();
        h->heartRateCount = 1;
        // What DrawPanel has set up before it hands over: white brush, bold 15 label font.
        SelectObject(bitmap.dc, GetStockObject(WHITE_BRUSH));
        labelFont =
            CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
        originalFont = SelectObject(bitmap.dc, labelFont);
    }
    void TearDown() override {
        SelectObject(bitmap.dc, originalFont);
        DeleteObject(labelFont);
    }
    void OnlyPower() { settings.showHeartRate = settings.showStrokeRate = settings.showPace = 0; }
    void Draw() { DrawStripGraph(bitmap.dc, h.get(), LEFT, TOP, RIGHT, HEIGHT); }

    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
    TestBitmap bitmap{1920, 1200, FILL};
    HFONT labelFont;
    HGDIOBJ originalFont;
};

TEST_F(DisplayStripGraphWin, OneSampleShowsTheEmptyFramedBoxAndLabels) {
    h->power[0] = 125;
    Draw();
    EXPECT_EQ(0, bitmap.CountNonWhite(132, 252, 788, 548));
    EXPECT_EQ(2, bitmap.CountColour(300, 246, 301, 252, BLACK));
    EXPECT_GT(bitmap.CountColour(0, 236, 31, 560, ORANGE), 0);
    EXPECT_GT(bitmap.CountColour(31, 236, 61, 560, BLUE), 0);
    EXPECT_GT(bitmap.CountColour(61, 236, 91, 560, GREEN), 0);
    EXPECT_GT(bitmap.CountColour(91, 236, 121, 560, RED), 0);
}

// The plain way: one LineTo per sample, straight from the geometry.
void DrawEverySample(HDC dc, const StrokeHistory& h, const GraphBox& box) {
    for (int series = 0; series < SERIES_COUNT; ++series) {
        if (!GraphSeriesShown(settings, h, series)) continue;
        SeriesColour c = GraphSeriesColour(series);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(c.red, c.green, c.blue));
        HGDIOBJ old = SelectObject(dc, pen);
        GraphScale scale = GraphSeriesScale(settings, series);
        MoveToEx(dc, box.left, GraphSampleY(box, scale, h, series, 0), NULL);
        for (int k = 1; k <= h.lastSample; ++k)
            LineTo(dc, GraphColumnX(box, k, h.lastSample), GraphSampleY(box, scale, h, series, k));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

void FillNoisyWorkout(StrokeHistory& h) {
    uint32_t seed = 777;
    h.lastSample = LAST_SAMPLE_INDEX;
    for (int k = 0; k < MAX_SAMPLES; ++k) {
        seed = seed * 1103515245u + 12345u;
        h.power[k] = 120 + (int)(seed >> 16) % 120;
        h.strokeRate[k] = 20 + (int)(seed >> 20) % 12;
        h.pace[k] = 1.0 / (2.5 + ((seed >> 8) % 100) / 80.0);
        h.heartRate[k] = 130 + (int)(seed >> 12) % 40;
    }
}

TEST_F(DisplayStripGraphWin, CollapsedLinesMatchLinesThroughEverySample) {
    FillNoisyWorkout(*h);
    // One unit per pixel, and the 1920 x 1200 main window's scale, where the pens are wide.
    for (bool scaled : {false, true}) {
        TestBitmap plain;
        HDC targets[] = {bitmap.dc, plain.dc};
        for (HDC dc : targets) {
            SelectObject(dc, GetStockObject(WHITE_BRUSH));
            SelectObject(dc, labelFont);
            if (scaled) {
                SetMapMode(dc, MM_ISOTROPIC);
                SetWindowExtEx(dc, 400, 280, NULL);
                SetViewportExtEx(dc, 960, 600, NULL);
            }
        }
        bitmap.Fill(WHITE);
        Draw();
        // The frame and labels alone, then every sample's line.
        h->lastSample = 0;
        DrawStripGraph(plain.dc, h.get(), LEFT, TOP, RIGHT, HEIGHT);
        h->lastSample = LAST_SAMPLE_INDEX;
        DrawEverySample(plain.dc, *h, StripGraphBox(settings, *h, LEFT, TOP, RIGHT, HEIGHT));
        EXPECT_TRUE(bitmap.Rows(0, 1200) == plain.Rows(0, 1200)) << "scaled " << scaled;
        EXPECT_GT(bitmap.CountColour(0, 0, 1920, 1200, ORANGE), 1000);
        SelectObject(plain.dc, GetStockObject(SYSTEM_FONT));
        SetMapMode(bitmap.dc, MM_TEXT);
    }
}

TEST_F(DisplayStripGraphWin, DrawingStateIsLeftAsTheCallerExpects) {
    h->lastSample = 3;
    Draw();
    EXPECT_EQ((UINT)(TA_LEFT | TA_TOP | TA_NOUPDATECP), GetTextAlign(bitmap.dc));
    EXPECT_EQ(BLACK, GetTextColor(bitmap.dc));
    EXPECT_EQ(GetStockObject(BLACK_PEN), GetCurrentObject(bitmap.dc, OBJ_PEN));
    EXPECT_EQ(labelFont, GetCurrentObject(bitmap.dc, OBJ_FONT));
}

}  // namespace
