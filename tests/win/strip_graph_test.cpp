// The display panel drawn into a memory bitmap for a stand-in main window whose client area is
// 800 x 560, one pixel a logical unit, and read back pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace {

const COLORREF RED = RGB(255, 0, 0), GREY = RGB(153, 153, 153), BLACK = RGB(0, 0, 0);

// How many pixels of this colour lie in the rectangle (right and bottom included).
int Count(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    int n = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
}

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguage("ENGLISH");
        memset(&settings, 0, sizeof settings);
        settings.showPower = settings.showStrokeRate = 1;
        settings.powerMax = 400, settings.strokeRateMax = 40;
        h.lastSample = 19, h.workTime = 6150, h.distance = 1234.5, h.strokeState = 4;
        for (int k = 0; k <= 19; ++k) h.power[k] = 100 + 13 * k, h.strokeRate[k] = 30 - k;
        snprintf(statusLine, STATUS_LINE_SIZE, "Error: the monitor is gone");
        mainWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 560, 0, 0, 0, 0);
        HDC screen = GetDC(NULL);
        dc = CreateCompatibleDC(screen);
        old = SelectObject(dc, CreateCompatibleBitmap(screen, 800, 560));
        ReleaseDC(NULL, screen);
    }
    void TearDown() override {
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
        DestroyWindow(mainWindow);
        mainWindow = NULL;
    }
    std::vector<COLORREF> Numbers() {  // the numbers area, every fourth pixel
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 215; y += 2)
            for (int x = 0; x < 800; x += 4) pixels.push_back(GetPixel(dc, x, y));
        return pixels;
    }
    StrokeHistory h = {};
    HDC dc;
    HGDIOBJ old;
};

// Each value on its own line, units on the values' baseline, the status line red, each series
// with a label column of its own and a line to its last sample, the frame right of the labels.
TEST_F(Panel, EveryPartLandsInItsPlaceInItsColour) {
    DrawPanel(dc, &h, 1);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    for (int x : {10, 400})
        for (int y : {5, 45, 85, 125, 170})
            EXPECT_GT(Count(dc, x, y + 8, x + 80, y + 30, BLACK), 20) << x << "," << y;
    EXPECT_EQ(Count(dc, 10, 45, 390, 57, GREY), 0);  // "m" of the distance, 15 below its top
    EXPECT_GT(Count(dc, 10, 60, 390, 80, GREY), 10);
    EXPECT_GT(Count(dc, 10, 222, 400, 240, RED), 10);
    EXPECT_EQ(Count(dc, 0, 262, 12, 540, BLACK), 0);

    const GraphBox box = StripGraphBox(settings, h, 10, 250, 790, 300);
    int column = 1;
    for (int series : {SERIES_POWER, SERIES_STROKE_RATE}) {
        SCOPED_TRACE(series);
        const SeriesColour c = GraphSeriesColour(series);
        const COLORREF colour = RGB(c.red, c.green, c.blue);
        const int right = LabelColumnX(column++);
        EXPECT_GT(Count(dc, right - LABEL_COLUMN_WIDTH, 0, right - 1, 559, colour), 20);
        PlotPoint line[20];
        const int n = SeriesPolyline(box, GraphSeriesScale(settings, series), h, series, 19, line);
        const int x = (line[n - 2].x + line[n - 1].x) / 2, y = (line[n - 2].y + line[n - 1].y) / 2;
        EXPECT_GT(Count(dc, x - 1, y - 1, x + 1, y + 1, colour), 0);
    }
}

// A redraw of the numbers alone leaves what a full one would; a wide, low window gets the whole
// picture scaled to its height, one narrower than 100 pixels nothing.
TEST_F(Panel, NumbersAloneRedrawCleanlyAndTheWindowsSizeScalesThePicture) {
    DrawPanel(dc, &h, 1);
    h.workTime = 888888, h.distance = 8888.8, h.power[19] = 888;
    DrawPanel(dc, &h, 0);
    const std::vector<COLORREF> partial = Numbers();
    DrawPanel(dc, &h, 1);
    EXPECT_TRUE(Numbers() == partial);

    SetWindowPos(mainWindow, NULL, 0, 0, 1600, 280, SWP_NOMOVE | SWP_NOZORDER);
    DrawPanel(dc, &h, 1);  // at half size
    EXPECT_GT(Count(dc, 0, 0, 399, 279, BLACK), 100);
    EXPECT_EQ(Count(dc, 0, 285, 799, 559, BLACK), 0);
    PatBlt(dc, 0, 0, 800, 560, BLACKNESS);
    SetWindowPos(mainWindow, NULL, 0, 0, 99, 280, SWP_NOMOVE | SWP_NOZORDER);
    DrawPanel(dc, &h, 1);
    EXPECT_EQ(Count(dc, 0, 0, 99, 279, BLACK), 100 * 280);
}

}  // namespace
