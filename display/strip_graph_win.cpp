// The strip graph: up to four series of the whole workout in one framed box, each with its
// own colour and column of scale labels.
#include <string.h>

#include <vector>

#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "settings/settings.h"

namespace {

// Points handed to the device at once. PolylineTo continues from the current position, so the
// chunks join as single LineTo calls would. Short chunks: Wine outlines a wide-pen polyline
// (one logical unit is several pixels on a large window) as one region whose cost grows
// faster than the line, so 16 points a call drew the graph in a third of the time of 512.
const int PLOT_CHUNK = 16;

void DrawScaleLabels(HDC target, const GraphBox& box, GraphScale scale, int column) {
    for (int j = 0; j < SCALE_LABELS; ++j) {
        char text[SCALE_LABEL_TEXT_SIZE];
        FormatScaleLabel(scale, j, text, sizeof text);
        TextOutA(target, LabelColumnX(column), ScaleLabelY(box, j), text, (int)strlen(text));
    }
}

void PlotSeries(HDC target, const GraphBox& box, GraphScale scale, const StrokeHistory& h,
                int series, int lastSample, std::vector<PlotPoint>& line) {
    int count = SeriesPolyline(box, scale, h, series, lastSample, line.data());
    MoveToEx(target, line[0].x, line[0].y, NULL);
    POINT chunk[PLOT_CHUNK];
    int pending = 0;
    for (int i = 1; i < count; ++i) {
        chunk[pending].x = line[i].x;
        chunk[pending].y = line[i].y;
        if (++pending == PLOT_CHUNK) {
            PolylineTo(target, chunk, pending);
            pending = 0;
        }
    }
    if (pending > 0) PolylineTo(target, chunk, pending);
}

}  // namespace

void DrawStripGraph(HDC target, const StrokeHistory* history, int left, int top, int right,
                    int height) {
    if (target == NULL || history == NULL || !AnyGraphFlag(settings)) return;
    const StrokeHistory& h = *history;
    GraphBox box = StripGraphBox(settings, h, left, top, right, height);

    // The selected white brush blanks the box inside the frame.
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    SelectObject(target, pen);
    Rectangle(target, box.left - 1, top - 1, box.left + box.width + 1, top + height + 1);

    SetTextAlign(target, TA_RIGHT | TA_TOP);
    const int lastSample = SampleIndex(h);
    std::vector<PlotPoint> line(lastSample + 1);
    int column = 1;
    for (int series = 0; series < SERIES_COUNT; ++series) {
        if (!GraphSeriesShown(settings, h, series)) continue;
        GraphScale scale = GraphSeriesScale(settings, series);
        SeriesColour c = GraphSeriesColour(series);
        COLORREF colour = RGB(c.red, c.green, c.blue);
        SetTextColor(target, colour);
        DrawScaleLabels(target, box, scale, column);
        ++column;

        HPEN seriesPen = CreatePen(PS_SOLID, 1, colour);
        SelectObject(target, seriesPen);
        DeleteObject(pen);
        pen = seriesPen;
        PlotSeries(target, box, scale, h, series, lastSample, line);
    }

    SelectObject(target, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    SetTextColor(target, RGB(0, 0, 0));
    SetTextAlign(target, TA_LEFT | TA_TOP);
}
