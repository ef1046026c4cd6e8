// The strip graph: up to four series of the whole workout in one framed box, each with its
// own colour and column of scale labels.
#include <string.h>

#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "settings/settings.h"

namespace {

// Points handed to the device at once; PolylineTo continues from the current position, so
// the chunks join exactly as single LineTo calls would, at a fraction of the calls.
const int PLOT_CHUNK = 512;

void DrawScaleLabels(HDC target, const GraphBox& box, GraphScale scale, int column)
{
    for (int j = 0; j < SCALE_LABELS; ++j) {
        char text[SCALE_LABEL_TEXT_SIZE];
        FormatScaleLabel(scale, j, text, sizeof text);
        TextOutA(target, LabelColumnX(column), ScaleLabelY(box, j), text, (int)strlen(text));
    }
}

void PlotSeries(HDC target, const GraphBox& box, GraphScale scale, const StrokeHistory& h,
                int series, int lastSample)
{
    MoveToEx(target, box.left, GraphSampleY(box, scale, h, series, 0), NULL);
    POINT points[PLOT_CHUNK];
    int pending = 0;
    for (int k = 1; k <= lastSample; ++k) {
        points[pending].x = GraphColumnX(box, k, lastSample);
        points[pending].y = GraphSampleY(box, scale, h, series, k);
        if (++pending == PLOT_CHUNK) {
            PolylineTo(target, points, pending);
            pending = 0;
        }
    }
    if (pending > 0)
        PolylineTo(target, points, pending);
}

}  // namespace

void DrawStripGraph(HDC target, const StrokeHistory* history, int left, int top, int right,
                    int height)
{
    if (target == NULL || history == NULL || !AnyGraphFlag(settings))
        return;
    const StrokeHistory& h = *history;
    GraphBox box = StripGraphBox(settings, h, left, top, right, height);

    // The selected white brush blanks the box inside the frame.
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    SelectObject(target, pen);
    Rectangle(target, box.left - 1, top - 1, box.left + box.width + 1, top + height + 1);

    SetTextAlign(target, TA_RIGHT | TA_TOP);
    const int lastSample = SampleIndex(h);
    int column = 1;
    for (int series = 0; series < SERIES_COUNT; ++series) {
        if (!GraphSeriesShown(settings, h, series))
            continue;
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
        PlotSeries(target, box, scale, h, series, lastSample);
    }

    SelectObject(target, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    SetTextColor(target, RGB(0, 0, 0));
    SetTextAlign(target, TA_LEFT | TA_TOP);
}
