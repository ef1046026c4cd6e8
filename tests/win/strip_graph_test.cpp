// The strip graph drawn into a memory bitmap, read back pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "settings/settings.h"

namespace {

// Whether a pixel of this colour lies in the rectangle.
bool AnyPixel(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (GetPixel(dc, x, y) == colour) return true;
    return false;
}

TEST(StripGraph, EverySeriesHasALabelColumnOfItsOwnAndALineToItsLastSample) {
    memset(&settings, 0, sizeof settings);
    settings.showPower = settings.showStrokeRate = 1;
    settings.powerMax = 400, settings.strokeRateMax = 40;
    static StrokeHistory h;
    h.lastSample = 19;  // 19 segments: more than one batch of points goes to the GDI
    for (int k = 0; k <= 19; ++k) h.power[k] = 100 + 13 * k, h.strokeRate[k] = 30 - k;
    HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, 800, 300));
    PatBlt(dc, 0, 0, 800, 300, WHITENESS);
    DrawStripGraph(dc, &h, 0, 20, 800, 260);

    const GraphBox box = StripGraphBox(settings, h, 0, 20, 800, 260);
    int column = 1;
    for (int series : {SERIES_POWER, SERIES_STROKE_RATE}) {
        SCOPED_TRACE(series);
        const SeriesColour c = GraphSeriesColour(series);
        const COLORREF colour = RGB(c.red, c.green, c.blue);
        const int right = LabelColumnX(column++);
        EXPECT_TRUE(AnyPixel(dc, right - LABEL_COLUMN_WIDTH, 0, right - 1, 299, colour));
        PlotPoint line[20];
        const int n = SeriesPolyline(box, GraphSeriesScale(settings, series), h, series, 19, line);
        const int x = (line[n - 2].x + line[n - 1].x) / 2, y = (line[n - 2].y + line[n - 1].y) / 2;
        EXPECT_TRUE(AnyPixel(dc, x - 1, y - 1, x + 1, y + 1, colour));
    }
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
}

}  // namespace
