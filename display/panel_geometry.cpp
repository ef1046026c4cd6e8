// Layout and scale arithmetic of the display panel and the strip graph.
#include "display/panel_geometry.h"

#include <math.h>
#include <stdio.h>

#include "display/format_time.h"
#include "settings/text_table.h"

namespace {

int Larger(int a, int b) {
    return a > b ? a : b;
}

// Without the undefined conversion of a double out of range: non-finite reads 0, huge saturates.
int32_t TruncateToInt32(double value) {
    if (!isfinite(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return (int32_t)value;
}

// The recorder stores finite values; a damaged record must not print "inf" or "nan".
double FiniteOrZero(double value) {
    return isfinite(value) ? value : 0.0;
}

const char* Text(int index) {
    return textTable[index];
}

// "label: value", the label cut at its slot so that an unterminated slot cannot run on.
void SetLine(PanelLine& line, int x, int y, int label, const char* value, int unit, int unitY) {
    line.x = x;
    line.y = y;
    snprintf(line.text, sizeof line.text, "%.*s: %s", TEXT_SLOT_SIZE - 1, Text(label), value);
    line.unitText = unit;
    line.unitY = unitY;
}

void SetIntLine(PanelLine& line, int x, int y, int label, int32_t value, int unit, int unitY) {
    char number[16];
    snprintf(number, sizeof number, "%i", (int)value);
    SetLine(line, x, y, label, number, unit, unitY);
}

void SetMetresLine(PanelLine& line, int x, int y, int label, double value, int unit, int unitY) {
    char number[64];
    snprintf(number, sizeof number, "%.1f", FiniteOrZero(value));
    SetLine(line, x, y, label, number, unit, unitY);
}

int64_t Range(GraphScale scale) {
    return (int64_t)scale.max - scale.min;
}

// The samples of the line that fall on one x, as points: where the line enters and leaves
// the column and the column's lowest and highest y.
struct PlotColumn {
    int x, entry, exit, low, high;
};

void Append(PlotPoint* points, int& count, int x, int y) {
    points[count++] = {x, y};
}

// The entry point is already out; what else the column needs to span low..high and end at
// its exit: the extremes beyond the entry-exit span, the farther from the exit first.
void FinishColumn(const PlotColumn& c, PlotPoint* points, int& count) {
    int spanLow = c.entry < c.exit ? c.entry : c.exit;
    int spanHigh = c.entry < c.exit ? c.exit : c.entry;
    bool needLow = c.low < spanLow;
    bool needHigh = c.high > spanHigh;
    if (needLow && needHigh) {
        bool lowFirst = c.exit - c.low > c.high - c.exit;
        Append(points, count, c.x, lowFirst ? c.low : c.high);
        Append(points, count, c.x, lowFirst ? c.high : c.low);
    } else if (needLow) {
        Append(points, count, c.x, c.low);
    } else if (needHigh) {
        Append(points, count, c.x, c.high);
    }
    if (c.exit != c.entry || needLow || needHigh) Append(points, count, c.x, c.exit);
}

int ClampToBox(const GraphBox& box, int64_t y) {
    if (y < box.top) y = box.top;
    if (y > box.bottom) y = box.bottom;
    return (int)y;
}

// The last sample on the same x as sample k, by GraphColumnX: from the next x's first sample
// when the box has a width, sample by sample otherwise.
int ColumnEnd(const GraphBox& box, int k, int lastSample) {
    if (lastSample <= 0) return lastSample;
    if (box.width > 0) {
        int64_t offset = (int64_t)box.width * k / lastSample;
        int64_t next = ((offset + 1) * lastSample + box.width - 1) / box.width;
        return next - 1 < lastSample ? (int)(next - 1) : lastSample;
    }
    int end = k;
    while (end < lastSample && GraphColumnX(box, end + 1, lastSample) == GraphColumnX(box, k, lastSample))
        end++;
    return end;
}

// y rises or falls with a sample's key alone, so a column's extreme y come from its extreme
// keys: only the few samples that make points are mapped to y. Not-a-number keys fail every
// comparison, so they never become the least or the most; they land on the bottom edge.
struct IntegerKeys {
    typedef int32_t Key;
    GraphBox box;
    GraphScale scale;
    const int32_t* values;
    Key KeyOf(int k) const { return values[k]; }
    int Y(Key key) const { return IntegerSampleY(box, scale, key); }
    static bool Nan(Key) { return false; }
    static Key Least() { return INT32_MAX; }
    static Key Most() { return INT32_MIN; }
};

struct SpeedKeys {
    typedef double Key;
    GraphBox box;
    GraphScale scale;
    const double* paces;
    Key KeyOf(int k) const { return PaceSpeed(paces[k]); }
    int Y(Key key) const { return SpeedSampleY(box, scale, key); }
    static bool Nan(Key key) { return isnan(key); }
    static Key Least() { return INFINITY; }
    static Key Most() { return -INFINITY; }
};

// Samples first..last, all on x: where the line enters and leaves, its lowest and highest y.
template <typename Keys>
PlotColumn ReduceColumn(const Keys& keys, int x, int first, int last) {
    typename Keys::Key least = Keys::Least(), most = Keys::Most();
    bool nan = false;
    // Without branches: noisy samples would make every comparison a wrong guess.
    for (int k = first; k <= last; ++k) {
        typename Keys::Key key = keys.KeyOf(k);
        least = key < least ? key : least;
        most = key > most ? key : most;
        nan |= Keys::Nan(key);
    }
    PlotColumn column = {x, keys.Y(keys.KeyOf(first)), keys.Y(keys.KeyOf(last)), 0, 0};
    int ys[5] = {column.entry, column.exit, column.exit, column.exit, column.exit};
    if (least <= most) ys[2] = keys.Y(least), ys[3] = keys.Y(most);
    if (nan) ys[4] = keys.box.bottom;
    column.low = column.high = ys[0];
    for (int y : ys) {
        if (y < column.low) column.low = y;
        if (y > column.high) column.high = y;
    }
    return column;
}

template <typename Keys>
int ColumnPolyline(const GraphBox& box, int lastSample, const Keys& keys, PlotPoint* points) {
    if (lastSample < 0) lastSample = 0;
    if (lastSample > LAST_SAMPLE_INDEX) lastSample = LAST_SAMPLE_INDEX;
    int count = 0;
    for (int k = 0; k <= lastSample;) {
        int end = ColumnEnd(box, k, lastSample);
        PlotColumn column = ReduceColumn(keys, GraphColumnX(box, k, lastSample), k, end);
        Append(points, count, column.x, column.entry);
        FinishColumn(column, points, count);
        k = end + 1;
    }
    return count;
}

}  // namespace

bool AnyGraphFlag(const Settings& s) {
    return s.showHeartRate || s.showStrokeRate || s.showPower || s.showPace;
}

int PanelLogicalHeight(const Settings& s) {
    return AnyGraphFlag(s) ? PANEL_HEIGHT_WITH_GRAPHS : PANEL_HEIGHT_NUMBERS_ONLY;
}

PanelSize PanelDrawingSize(int clientRight, int clientBottom, int physicalWidth, int physicalHeight,
                           int physicalOffsetX, int physicalOffsetY) {
    if (physicalWidth != 0)
        return {physicalWidth - 2 * physicalOffsetX, physicalHeight - 2 * physicalOffsetY};
    return {clientRight, clientBottom};
}

PanelSize FullClearSize(int bitmapWidth, int bitmapHeight, int desktopWidth, int desktopHeight) {
    return {Larger(FULL_CLEAR_MIN_WIDTH, Larger(bitmapWidth, desktopWidth)),
            Larger(FULL_CLEAR_MIN_HEIGHT, Larger(bitmapHeight, desktopHeight))};
}

bool UseSummaryLayout(const StrokeHistory& h) {
    return h.avgPower != 0;
}

int SampleIndex(const StrokeHistory& h) {
    if (h.lastSample < 0) return 0;
    if (h.lastSample > LAST_SAMPLE_INDEX) return LAST_SAMPLE_INDEX;
    return h.lastSample;
}

int32_t LivePaceHundredths(const StrokeHistory& h) {
    return TruncateToInt32(50000.0 * h.pace[SampleIndex(h)]);
}

int32_t SummaryPaceHundredths(const StrokeHistory& h) {
    // 64 bits: a 32-bit product would wrap after about 11 h 55 min of work.
    int64_t timeTimes500 = (int64_t)h.workTime * 500;
    if (h.distance == 0.0) return 0;
    return TruncateToInt32((double)timeTimes500 / h.distance);
}

int StateTextIndex(int32_t strokeState) {
    return TEXT_STATE_FIRST + (strokeState % 5 + 5) % 5;
}

int FormatPanelLines(const StrokeHistory& h, PanelLine lines[MAX_PANEL_LINES]) {
    const int i = SampleIndex(h);
    const bool summary = UseSummaryLayout(h);
    int n = 0;
    SetLine(lines[n++], 10, 5, TEXT_TIME, FormatTime(h.workTime), NO_UNIT, 0);
    SetMetresLine(lines[n++], 10, 45, TEXT_DISTANCE, h.distance, TEXT_UNIT_DISTANCE, 60);
    int32_t pace = summary ? SummaryPaceHundredths(h) : LivePaceHundredths(h);
    SetLine(lines[n++], 10, 85, TEXT_PACE, FormatTime(pace), TEXT_UNIT_PACE, 100);
    SetIntLine(lines[n++], 10, 125, TEXT_STROKE_RATE, summary ? h.avgStrokeRate : h.strokeRate[i],
               TEXT_UNIT_STROKE_RATE, 140);
    SetIntLine(lines[n++], 10, 170, TEXT_STROKES, h.lastSample, NO_UNIT, 0);
    SetIntLine(lines[n++], 400, 5, TEXT_HEART_RATE, summary ? h.avgHeartRate : h.heartRate[i],
               TEXT_UNIT_HEART_RATE, 20);
    SetMetresLine(lines[n++], 400, 45, TEXT_DPS, h.distancePerStroke, TEXT_UNIT_DPS, 60);
    SetIntLine(lines[n++], 400, 85, TEXT_POWER, summary ? h.avgPower : h.power[i], TEXT_UNIT_POWER,
               100);
    SetIntLine(lines[n++], 400, 125, TEXT_CALS, h.calories, TEXT_UNIT_CALS, 140);
    if (!summary) {
        char state[TEXT_SLOT_SIZE];
        snprintf(state, sizeof state, "%.*s", TEXT_SLOT_SIZE - 1,
                 Text(StateTextIndex(h.strokeState)));
        SetLine(lines[n++], 400, 170, TEXT_STATE, state, NO_UNIT, 0);
    }
    return n;
}

GraphPlacement PanelGraphPlacement(const StrokeHistory& h, bool full) {
    if (UseSummaryLayout(h)) return {true, 10, 220, 790, 330};
    return {full, 10, 250, 790, 300};
}

SeriesColour GraphSeriesColour(int series) {
    switch (series) {
    case SERIES_POWER: return {255, 140, 0};
    case SERIES_STROKE_RATE: return {0, 0, 255};
    case SERIES_PACE: return {0, 136, 0};
    default: return {255, 0, 0};
    }
}

bool GraphSeriesShown(const Settings& s, const StrokeHistory& h, int series) {
    switch (series) {
    case SERIES_POWER: return s.showPower != 0;
    case SERIES_STROKE_RATE: return s.showStrokeRate != 0;
    case SERIES_PACE: return s.showPace != 0;
    case SERIES_HEART_RATE: return s.showHeartRate != 0 && h.heartRateCount != 0;
    default: return false;
    }
}

int ShownSeriesCount(const Settings& s, const StrokeHistory& h) {
    int n = 0;
    for (int series = 0; series < SERIES_COUNT; ++series)
        if (GraphSeriesShown(s, h, series)) ++n;
    return n;
}

GraphScale GraphSeriesScale(const Settings& s, int series) {
    switch (series) {
    case SERIES_POWER: return {s.powerMin, s.powerMax};
    case SERIES_STROKE_RATE: return {s.strokeRateMin, s.strokeRateMax};
    case SERIES_PACE: return {s.paceMin, s.paceMax};
    default: return {s.heartRateMin, s.heartRateMax};
    }
}

GraphBox StripGraphBox(const Settings& s, const StrokeHistory& h, int left, int top, int right,
                       int height) {
    GraphBox box;
    box.left = left + LABEL_COLUMN_WIDTH * ShownSeriesCount(s, h);
    box.top = top;
    box.width = right - box.left;
    box.height = height;
    box.bottom = top + height;
    return box;
}

int ScaleLabelDecimals(GraphScale scale) {
    return Range(scale) % 5 > 0 ? 1 : 0;
}

void FormatScaleLabel(GraphScale scale, int j, char* text, size_t size) {
    double value = scale.min + (j * Range(scale)) / 5.0;
    snprintf(text, size, "%.*f", ScaleLabelDecimals(scale), value);
}

int LabelColumnX(int column) {
    return LABEL_COLUMN_WIDTH * column;
}

// Half the label font's height up, so that the text is centred on its level.
int ScaleLabelY(const GraphBox& box, int j) {
    return box.bottom - (j * box.height) / 5 - LABEL_FONT_HEIGHT / 2;
}

int GraphColumnX(const GraphBox& box, int k, int lastSample) {
    if (lastSample <= 0) return box.left;
    return box.left + (int)((int64_t)box.width * k / lastSample);
}

int IntegerSampleY(const GraphBox& box, GraphScale scale, int32_t value) {
    int64_t range = Range(scale);
    if (range == 0) return box.bottom;
    return ClampToBox(box, box.bottom - ((int64_t)value - scale.min) * box.height / range);
}

double PaceSpeed(double pace) {
    double speed = pace == 0.0 ? INFINITY : 1.0 / pace;
    return speed;
}

int SpeedSampleY(const GraphBox& box, GraphScale scale, double speed) {
    int64_t range = Range(scale);
    if (range == 0) return box.bottom;
    double y = box.bottom - (speed - scale.min) * box.height / (double)range;
    if (isnan(y)) return box.bottom;
    // Clamp in floating point first: converting an out-of-range double is undefined.
    if (y < box.top) y = box.top;
    if (y > box.bottom) y = box.bottom;
    return (int)y;
}

int PaceSampleY(const GraphBox& box, GraphScale scale, double pace) {
    return SpeedSampleY(box, scale, PaceSpeed(pace));
}

int GraphSampleY(const GraphBox& box, GraphScale scale, const StrokeHistory& h, int series, int k) {
    switch (series) {
    case SERIES_POWER: return IntegerSampleY(box, scale, h.power[k]);
    case SERIES_STROKE_RATE: return IntegerSampleY(box, scale, h.strokeRate[k]);
    case SERIES_PACE: return PaceSampleY(box, scale, h.pace[k]);
    default: return IntegerSampleY(box, scale, h.heartRate[k]);
    }
}

int SeriesPolyline(const GraphBox& box, GraphScale scale, const StrokeHistory& h, int series,
                   int lastSample, PlotPoint* points) {
    switch (series) {
    case SERIES_POWER: return ColumnPolyline(box, lastSample, IntegerKeys{box, scale, h.power}, points);
    case SERIES_STROKE_RATE:
        return ColumnPolyline(box, lastSample, IntegerKeys{box, scale, h.strokeRate}, points);
    case SERIES_PACE: return PacePolyline(box, scale, h.pace, lastSample, points);
    default: return ColumnPolyline(box, lastSample, IntegerKeys{box, scale, h.heartRate}, points);
    }
}

int PacePolyline(const GraphBox& box, GraphScale scale, const double* paces, int lastSample,
                 PlotPoint* points) {
    return ColumnPolyline(box, lastSample, SpeedKeys{box, scale, paces}, points);
}
