// Where the display panel and its strip graph put things and what they write: everything
// about the picture that needs no window, in the panel's logical units.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "monitor/stroke_history.h"
#include "settings/settings.h"

// The logical picture: 800 wide, 560 high with graphs or 240 without, anchored top-left.
const int PANEL_LOGICAL_WIDTH = 800;
const int PANEL_HEIGHT_WITH_GRAPHS = 560;
const int PANEL_HEIGHT_NUMBERS_ONLY = 240;
// A main window narrower than this (e.g. minimised) gets nothing drawn; a printer page does.
const int PANEL_MIN_WINDOW_WIDTH = 100;
// What a full redraw clears at least (device pixels), and the numbers area a partial one
// clears (logical units).
const int FULL_CLEAR_MIN_WIDTH = 1920;
const int FULL_CLEAR_MIN_HEIGHT = 1200;
const int NUMBERS_AREA_WIDTH = 850;
const int NUMBERS_AREA_HEIGHT = 240;

// Font heights (logical units): values, status line and scale labels, units.
const int VALUE_FONT_HEIGHT = 40;
const int LABEL_FONT_HEIGHT = 15;
const int UNIT_FONT_HEIGHT = 20;
const int UNIT_GAP = 3;

// The status line's rectangle; it breaks only at line breaks in its text.
const int STATUS_LEFT = 10;
const int STATUS_TOP = 220;
const int STATUS_RIGHT = 800;
const int STATUS_BOTTOM = 600;

// The pace boat's gap: right-aligned above the graph, in the unit font.
const int BOAT_GAP_RIGHT = 790;
const int BOAT_GAP_TOP = 218;

struct PanelSize {
    int width, height;
};

bool AnyGraphFlag(const Settings& s);
// 560 with any graph flag set, else 240; the window extent is 400 by half of it.
int PanelLogicalHeight(const Settings& s);
// Target size in device units: the client rectangle's right and bottom, or for a printer
// (non-zero physical width) the page less twice its unprintable offsets.
PanelSize PanelDrawingSize(int clientRight, int clientBottom, int physicalWidth, int physicalHeight,
                           int physicalOffsetX, int physicalOffsetY);
// How much a full redraw fills: at least 1920 x 1200 and at least the bitmap and the
// desktop, whichever is larger in each direction (0 for an unknown size).
PanelSize FullClearSize(int bitmapWidth, int bitmapHeight, int desktopWidth, int desktopHeight);

// A finished workout (non-zero average power) shows averages; anything else the newest sample.
bool UseSummaryLayout(const StrokeHistory& h);
// lastSample kept inside the arrays whatever the record holds.
int SampleIndex(const StrokeHistory& h);
// 50000 x pace at the newest sample: hundredths of a second per 500 m; 0 if not finite.
int32_t LivePaceHundredths(const StrokeHistory& h);
// The average time per 500 m of a finished workout; 0 for a distance of 0.
int32_t SummaryPaceHundredths(const StrokeHistory& h);
// Text table index of the stroke state's name: states 0 and 1 both read "Waiting".
int StateTextIndex(int32_t strokeState);

// One line of numbers and the unit that follows it.
const int PANEL_LINE_TEXT_SIZE = 256;  // a label of 95, ": " and the value
const int MAX_PANEL_LINES = 10;
const int NO_UNIT = -1;
struct PanelLine {
    int x, y;
    char text[PANEL_LINE_TEXT_SIZE];
    int unitText;  // text table index, or NO_UNIT
    int unitY;
};
// Fills the lines in drawing order from the text table; returns how many (10 live, 9 summary).
int FormatPanelLines(const StrokeHistory& h, PanelLine lines[MAX_PANEL_LINES]);

// Where the strip graph goes: live only on full redraws, a finished workout always.
struct GraphPlacement {
    bool draw;
    int left, top, right, height;
};
GraphPlacement PanelGraphPlacement(const StrokeHistory& h, bool full);

// The strip graph's series, in drawing order (also the order of their label columns).
enum GraphSeries { SERIES_POWER, SERIES_STROKE_RATE, SERIES_PACE, SERIES_HEART_RATE, SERIES_COUNT };
struct SeriesColour {
    uint8_t red, green, blue;
};
struct GraphScale {
    int32_t min, max;
};
struct GraphBox {
    int left, top, width, height, bottom;
};
const int LABEL_COLUMN_WIDTH = 30;
const int SCALE_LABELS = 6;
const int SCALE_LABEL_TEXT_SIZE = 32;

SeriesColour GraphSeriesColour(int series);
// Heart rate is shown only once some sample had a heart rate.
bool GraphSeriesShown(const Settings& s, const StrokeHistory& h, int series);
int ShownSeriesCount(const Settings& s, const StrokeHistory& h);
GraphScale GraphSeriesScale(const Settings& s, int series);
// The box right of the label columns, 30 units per shown series.
GraphBox StripGraphBox(const Settings& s, const StrokeHistory& h, int left, int top, int right,
                       int height);

// One decimal when the range is not a multiple of 5.
int ScaleLabelDecimals(GraphScale scale);
// Label j (0 = minimum at the bottom, 5 = maximum at the top).
void FormatScaleLabel(GraphScale scale, int j, char* text, size_t size);
// Right edge of label column c (1-based), an absolute logical x.
int LabelColumnX(int column);
int ScaleLabelY(const GraphBox& box, int j);

// x of sample k of 0..lastSample; all samples sit on the left edge when there is only one.
int GraphColumnX(const GraphBox& box, int k, int lastSample);
// y of a sample, kept inside the box; a scale of range 0 draws flat on the bottom edge.
int IntegerSampleY(const GraphBox& box, GraphScale scale, int32_t value);
// pace in seconds per metre, plotted as speed; a pace of 0 is infinitely fast (top edge).
int PaceSampleY(const GraphBox& box, GraphScale scale, double pace);
double PaceSpeed(double pace);
// y of a speed in metres per second on the pace scale; not a number lands on the bottom.
int SpeedSampleY(const GraphBox& box, GraphScale scale, double speed);
int GraphSampleY(const GraphBox& box, GraphScale scale, const StrokeHistory& h, int series, int k);

struct PlotPoint {
    int x, y;
};
// The line of one series through samples 0..lastSample: points[0] is where it starts, each
// further point is drawn to in turn. Given a box in device pixels, a long workout puts dozens
// of samples on one pixel column; those collapse to where the line enters the column, its
// highest and lowest points and where it leaves, which a line one pixel wide draws with the
// same pixels at a fraction of the cost. points needs lastSample + 1 places (lastSample is
// kept within the arrays); returns how many were used.
int SeriesPolyline(const GraphBox& box, GraphScale scale, const StrokeHistory& h, int series,
                   int lastSample, PlotPoint* points);
// The same for any paces plotted as speed (the pace boat's).
int PacePolyline(const GraphBox& box, GraphScale scale, const double* paces, int lastSample,
                 PlotPoint* points);
