// The strip graph: up to four series of the whole workout in one framed box, each with its
// own colour and column of scale labels, and the pace boat's speed while it races.
#include <string.h>

#include <vector>

#include "boat/boat_race.h"
#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "display/pixel_line.h"
#include "settings/settings.h"

namespace {

void DrawScaleLabels(HDC target, const GraphBox& box, GraphScale scale, int column) {
    for (int j = 0; j < SCALE_LABELS; ++j) {
        char text[SCALE_LABEL_TEXT_SIZE];
        FormatScaleLabel(scale, j, text, sizeof text);
        TextOutA(target, LabelColumnX(column), ScaleLabelY(box, j), text, (int)strlen(text));
    }
}

COLORREF SeriesColourOf(int series) {
    SeriesColour c = GraphSeriesColour(series);
    return RGB(c.red, c.green, c.blue);
}

// The box in device pixels: the lines are placed pixel by pixel, not by whole logical units,
// which are two or more pixels on a large window.
GraphBox PixelBox(HDC target, const GraphBox& box) {
    POINT corners[2] = {{box.left, box.top}, {box.left + box.width, box.bottom}};
    LPtoDP(target, corners, 2);
    GraphBox pixels;
    pixels.left = corners[0].x;
    pixels.top = corners[0].y;
    pixels.width = corners[1].x - corners[0].x;
    pixels.height = corners[1].y - corners[0].y;
    pixels.bottom = corners[1].y;
    return pixels;
}

// One logical unit in device pixels, at least 1.
int UnitPixels(HDC target) {
    POINT ends[2] = {{0, 0}, {100, 0}};
    LPtoDP(target, ends, 2);
    int pixels = (ends[1].x - ends[0].x + 50) / 100;
    return pixels > 1 ? pixels : 1;
}

// The target's own pixels when the lines can go straight into them: a 32-bit DIB section
// (the main window's off-screen bitmap) whose visible part holds the whole box and the
// corner pixel that shows which way up it is stored.
bool TargetPixels(HDC target, const GraphBox& box, PixelBuffer* buffer) {
    DIBSECTION section;
    HGDIOBJ bitmap = GetCurrentObject(target, OBJ_BITMAP);
    if (GetObjectType(target) != OBJ_MEMDC || bitmap == NULL ||
        GetObject(bitmap, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == NULL)
        return false;
    RECT visible;
    if (GetClipBox(target, &visible) == ERROR || visible.left > 0 || visible.top > 0 ||
        box.left < visible.left ||
        box.top < visible.top || box.left + box.width >= visible.right ||
        box.bottom >= visible.bottom)
        return false;
    ptrdiff_t stride = section.dsBm.bmWidthBytes / 4;
    buffer->bits = static_cast<uint32_t*>(section.dsBm.bmBits);
    buffer->width = section.dsBm.bmWidth;
    buffer->height = section.dsBm.bmHeight;
    // The system reports a top-down section as bottom-up: a probe pixel shows where the top
    // row is stored, and is put back as it was.
    GdiFlush();  // everything GDI drew before goes into the pixels first
    uint32_t* last = buffer->bits + (buffer->height - 1) * stride;
    uint32_t kept[2] = {buffer->bits[0], *last};
    SetPixelV(target, 0, 0, RGB(1, 2, 3));
    GdiFlush();
    bool topDown = (buffer->bits[0] & 0xFFFFFF) == 0x010203;
    buffer->bits[0] = kept[0];
    *last = kept[1];
    if (!topDown) {
        buffer->bits = last;
        stride = -stride;
    }
    buffer->stride = stride;
    return true;
}

// Draws the points as one line: into the pixels when there are any, else with a pen.
void DrawLine(HDC target, const PixelBuffer* pixels, const std::vector<PlotPoint>& points,
              int count, int style, COLORREF colour, int unitPixels) {
    uint32_t pixel = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    if (pixels != NULL && DrawPixelLine(*pixels, points.data(), count, pixel, style == PS_DOT))
        return;
    std::vector<POINT> device(count);
    for (int i = 0; i < count; ++i) device[i] = POINT{points[i].x, points[i].y};
    HPEN pen = CreateSeriesPen(target, style, colour, unitPixels);
    HGDIOBJ previous = SelectObject(target, pen);
    Polyline(target, device.data(), count);
    SelectObject(target, previous);
    DeleteObject(pen);
}

}  // namespace

HPEN CreateSeriesPen(HDC target, int style, COLORREF colour, int unitPixels) {
    // A printer draws the line one logical unit wide. A screen draws it one pixel wide: Wine
    // outlines every segment of a wider line as a polygon, which cost a full redraw of a long
    // workout many times the rest of the picture, and one pixel shows every column.
    bool printer = GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER;
    return CreatePen(style, printer ? unitPixels : 0, colour);
}

void DrawStripGraph(HDC target, const StrokeHistory* history, int left, int top, int right,
                    int height, bool blank) {
    if (target == NULL || history == NULL || !AnyGraphFlag(settings)) return;
    const StrokeHistory& h = *history;
    GraphBox box = StripGraphBox(settings, h, left, top, right, height);

    // Filling a box of a million pixels again costs more than every line in it.
    HPEN framePen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    SelectObject(target, framePen);
    HGDIOBJ brush = blank ? SelectObject(target, GetStockObject(NULL_BRUSH)) : NULL;
    Rectangle(target, box.left - 1, top - 1, box.left + box.width + 1, top + height + 1);
    if (brush != NULL) SelectObject(target, brush);
    SetTextAlign(target, TA_RIGHT | TA_TOP);
    int column = 1;
    for (int series = 0; series < SERIES_COUNT; ++series) {
        if (!GraphSeriesShown(settings, h, series)) continue;
        SetTextColor(target, SeriesColourOf(series));
        DrawScaleLabels(target, box, GraphSeriesScale(settings, series), column);
        ++column;
    }

    // The lines in device pixels, one point per pixel column at most.
    const int lastSample = SampleIndex(h);
    const GraphBox area = PixelBox(target, box);
    const int unitPixels = UnitPixels(target);
    std::vector<PlotPoint> line(lastSample + 1);
    int saved = SaveDC(target);
    SetMapMode(target, MM_TEXT);
    PixelBuffer buffer;
    const PixelBuffer* direct = TargetPixels(target, area, &buffer) ? &buffer : NULL;
    for (int series = 0; series < SERIES_COUNT; ++series) {
        if (!GraphSeriesShown(settings, h, series)) continue;
        GraphScale scale = GraphSeriesScale(settings, series);
        int count = SeriesPolyline(area, scale, h, series, lastSample, line.data());
        DrawLine(target, direct, line, count, PS_SOLID, SeriesColourOf(series), unitPixels);
    }
    // The boat races only the live workout, dotted in the speed's colour.
    if (history == &liveHistory && boatRace.racing && GraphSeriesShown(settings, h, SERIES_PACE)) {
        GraphScale scale = GraphSeriesScale(settings, SERIES_PACE);
        int count = PacePolyline(area, scale, boatRace.boatPace, lastSample, line.data());
        DrawLine(target, direct, line, count, PS_DOT, SeriesColourOf(SERIES_PACE), unitPixels);
    }
    RestoreDC(target, saved);

    SelectObject(target, GetStockObject(BLACK_PEN));
    DeleteObject(framePen);
    SetTextColor(target, RGB(0, 0, 0));
    SetTextAlign(target, TA_LEFT | TA_TOP);
}
