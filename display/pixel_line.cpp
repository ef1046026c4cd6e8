// Bresenham's lines with the system's rounding, into a 32-bit pixel buffer.
#include "display/pixel_line.h"

#include <stdlib.h>

namespace {

const int DOT_ON = 3;
const int DOT_PERIOD = 6;

struct Pen {
    uint32_t pixel;
    bool dotted;
    int phase;
};

bool Inside(const PixelBuffer& buffer, PlotPoint p) {
    return p.x >= 0 && p.x < buffer.width && p.y >= 0 && p.y < buffer.height;
}

// Major steps along the longer axis, a minor step whenever the error says so. Where the ideal
// line passes exactly half-way between two pixels, the system rounds one way for lines going
// right and down and the other way for lines going left or up (the "bias"), so that a line
// covers the same pixels whichever end it is drawn from.
void DrawSegment(const PixelBuffer& buffer, PlotPoint from, PlotPoint to, Pen& pen) {
    int dx = to.x - from.x, dy = to.y - from.y;
    int absX = abs(dx), absY = abs(dy);
    bool xMajor = absX > absY;
    int major = xMajor ? absX : absY, minor = xMajor ? absY : absX;
    int bias = dy > 0 ? (dx <= 0 && !xMajor) : (dx < 0 || xMajor);
    ptrdiff_t xStep = dx > 0 ? 1 : -1, yStep = dy > 0 ? buffer.stride : -buffer.stride;
    ptrdiff_t majorStep = xMajor ? xStep : yStep, minorStep = xMajor ? yStep : xStep;
    uint32_t* at = buffer.bits + from.y * buffer.stride + from.x;
    if (minor == 0 && !pen.dotted) {  // the graph's many vertical strokes
        for (int i = 0; i < major; ++i, at += majorStep) *at = pen.pixel;
        return;
    }
    int error = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        if (!pen.dotted || pen.phase < DOT_ON) *at = pen.pixel;
        if (++pen.phase == DOT_PERIOD) pen.phase = 0;
        if (error + bias > 0) {
            at += minorStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        at += majorStep;
    }
}

}  // namespace

bool DrawPixelLine(const PixelBuffer& buffer, const PlotPoint* points, int count, uint32_t pixel,
                   bool dotted) {
    for (int i = 0; i < count; ++i)
        if (!Inside(buffer, points[i])) return false;
    Pen pen = {pixel, dotted, 0};
    int i = 1;
    while (i < count) {
        // Points on one x, not the line's last: their strokes and the start of the next
        // segment cover exactly the pixels from the highest to the lowest, each set once.
        int end = i - 1;
        while (end + 1 < count && points[end + 1].x == points[i - 1].x) end++;
        if (!dotted && end > i - 1 && end + 1 < count) {
            int top = points[i - 1].y, bottom = top;
            for (int k = i; k <= end; ++k) {
                if (points[k].y < top) top = points[k].y;
                if (points[k].y > bottom) bottom = points[k].y;
            }
            uint32_t* at = buffer.bits + top * buffer.stride + points[i - 1].x;
            for (int y = top; y <= bottom; ++y, at += buffer.stride) *at = pixel;
            i = end + 1;
        }
        DrawSegment(buffer, points[i - 1], points[i], pen);
        i++;
    }
    return true;
}
