// The strip graph's lines, at most four points a pixel column written straight into the
// pixels, compared pixel by pixel with the system drawing every sample; the display panel drawn
// for a stand-in main window whose client area is 800 x 560, read back pixel by pixel, the same
// in every kind of bitmap.
#include <gtest/gtest.h>
#include <math.h>

#include <memory>

#include "app/app_state.h"
#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "display/pixel_line.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

// A white bitmap in a memory context: a DIB section stored top-down (kind -1) or bottom-up (1),
// or one like the screen's (0), which the graph draws with a pen.
struct Canvas {
    Canvas(int width, int height, int kind = -1) {
        HDC screen = GetDC(NULL);
        dc = CreateCompatibleDC(screen);
        BITMAPINFO info = {
            {sizeof(BITMAPINFOHEADER), width, kind * height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        bitmap = kind == 0 ? CreateCompatibleBitmap(screen, width, height)
                           : CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        ReleaseDC(NULL, screen);
        SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~Canvas() { DeleteDC(dc), DeleteObject(bitmap); }
    HDC dc;
    HBITMAP bitmap;
    void* bits = NULL;
};

// 0 when DrawPixelLine writing one line leaves the pixels that the system's one-pixel pen
// leaves drawing another, 1 when not, -1 when DrawPixelLine refuses.
int Compare(int width, int height, const std::vector<POINT>& drawn,
            const std::vector<PlotPoint>& written) {
    Canvas system(width, height), direct(width, height);
    SelectObject(system.dc, CreatePen(PS_SOLID, 0, RGB(0, 0, 255)));
    Polyline(system.dc, drawn.data(), (int)drawn.size());
    DeleteObject(SelectObject(system.dc, GetStockObject(BLACK_PEN)));
    PixelBuffer buffer = {(uint32_t*)direct.bits, width, width, height};
    if (!DrawPixelLine(buffer, written.data(), (int)written.size(), 0xFF, false)) return -1;
    return Picture(system.dc, width, height) != Picture(direct.dc, width, height);
}

// 3000 strokes: waves, noise, steps, spikes beyond the scales, paces of 0, heart rates of 0.
std::unique_ptr<StrokeHistory> VariedWorkout() {
    auto h = std::make_unique<StrokeHistory>();
    srand(3);
    h->lastSample = 3000;
    h->heartRateCount = 1;
    for (int k = 0; k <= 3000; ++k) {
        h->power[k] = 150 + (int)(80 * sin(k / 37.0)) + rand() % 61 - 30 + (k % 500 == 7 ? 400 : 0);
        h->strokeRate[k] = 20 + k / 300 % 10 + rand() % 3;
        h->pace[k] = k % 97 == 0 ? 0.0 : 1.0 / (3.0 + 1.5 * sin(k / 50.0) + rand() % 100 / 100.0);
        h->heartRate[k] = k % 211 < 5 ? 0 : 140 + rand() % 40;
    }
    return h;
}

TEST(GraphPixels, FourPointsAColumnAtMostDrawThePixelsOfEverySampleAsTheSystemWould) {
    auto h = VariedWorkout();
    for (int width : {1480, 240, 4800}) {  // 2, 12 and 0.6 strokes a column
        const GraphBox box = {5, 5, width, 400, 405};
        for (int series = 0; series < SERIES_COUNT; ++series) {
            SCOPED_TRACE(testing::Message() << width << " wide, series " << series);
            const GraphScale scale = {series == SERIES_PACE ? 2 : 0, series == SERIES_PACE ? 5 : 200};
            std::vector<POINT> every;
            for (int k = 0; k <= h->lastSample; ++k)
                every.push_back({GraphColumnX(box, k, h->lastSample),
                                 GraphSampleY(box, scale, *h, series, k)});
            std::vector<PlotPoint> reduced(h->lastSample + 1);
            reduced.resize(SeriesPolyline(box, scale, *h, series, h->lastSample, reduced.data()));
            std::vector<int> perColumn(width + 1);
            for (const PlotPoint& p : reduced) EXPECT_LE(++perColumn[p.x - box.left], 4) << p.x;
            EXPECT_EQ(Compare(width + 10, 410, every, reduced), 0);
        }
    }
    // A line ending upright leaves its last pixel blank; one outside is not written at all.
    EXPECT_EQ(Compare(20, 20, {{2, 2}, {9, 5}, {9, 15}}, {{2, 2}, {9, 5}, {9, 15}}), 0);
    EXPECT_EQ(Compare(310, 210, {}, {{0, 0}, {310, 5}}), -1);
}

// How many pixels of this colour lie in the rectangle (right and bottom included).
int Count(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    int n = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
}

// Values on lines of their own, units on their baseline, the status line red, each series with
// its label column and a line to its last sample, the frame right of the labels; all to scale.
TEST(Panel, EveryPartLandsInItsPlaceInItsColour) {
    const COLORREF RED = RGB(255, 0, 0), GREY = RGB(153, 153, 153), BLACK = RGB(0, 0, 0);
    LoadLanguage("ENGLISH");
    memset(&settings, 0, sizeof settings);
    settings.showPower = settings.showStrokeRate = 1;
    settings.powerMax = 400, settings.strokeRateMax = 40;
    StrokeHistory h = {};
    h.lastSample = 19, h.workTime = 6150, h.distance = 1234.5, h.strokeState = 4;
    for (int k = 0; k <= 19; ++k) h.power[k] = 100 + 13 * k, h.strokeRate[k] = 30 - k;
    snprintf(statusLine, STATUS_LINE_SIZE, "Error: the monitor is gone");
    mainWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 560, 0, 0, 0, 0);
    Canvas canvas(800, 560, 0);
    HDC dc = canvas.dc;
    PatBlt(dc, 0, 0, 800, 560, BLACKNESS);  // what the panel leaves unpainted stays black
    DrawPanel(dc, &h, 1);
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
    SetWindowPos(mainWindow, NULL, 0, 0, 1600, 280, SWP_NOMOVE | SWP_NOZORDER);
    DrawPanel(dc, &h, 1);  // a wide, low window: the whole picture at half size
    EXPECT_GT(Count(dc, 0, 0, 399, 279, BLACK), 100);
    EXPECT_EQ(Count(dc, 0, 285, 799, 559, BLACK), 0);
    for (int kind : {-1, 1}) {  // written into a DIB section either way up: the same picture
        Canvas dib(800, 560, kind);
        PatBlt(dib.dc, 0, 0, 800, 560, BLACKNESS);
        DrawPanel(dib.dc, &h, 1);
        EXPECT_TRUE(Picture(dib.dc, 800, 280) == Picture(dc, 800, 280)) << kind;
    }
    DestroyWindow(mainWindow);
    mainWindow = NULL;
}

}  // namespace
