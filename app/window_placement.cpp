// The placement rule: never larger than the work area, moved back inside by the least
// distance, so the window always lies wholly within the work area.
#include "app/window_placement.h"

// Edges are subtracted in 64 bits: a damaged settings file can hold any four numbers,
// and their 32-bit differences would overflow.
static int64_t Smaller(int64_t a, int64_t b) {
    return a < b ? a : b;
}
static int64_t Larger(int64_t a, int64_t b) {
    return a > b ? a : b;
}

WindowPlacement PlaceInWorkArea(const SettingsRect& savedFrame, const SettingsRect& workArea) {
    // An empty or inverted frame comes only from a damaged settings file (a 0-byte file
    // reads as all zero); opening a window nobody can see would help no one.
    bool empty = savedFrame.right <= savedFrame.left || savedFrame.bottom <= savedFrame.top;
    const SettingsRect& saved = empty ? workArea : savedFrame;
    // No real screen is wider than an int; the clamp keeps the results ints for any input.
    int64_t areaWidth = Smaller(INT32_MAX, Larger(0, (int64_t)workArea.right - workArea.left));
    int64_t areaHeight = Smaller(INT32_MAX, Larger(0, (int64_t)workArea.bottom - workArea.top));
    int64_t width = Larger(0, Smaller(areaWidth, (int64_t)saved.right - saved.left));
    int64_t height = Larger(0, Smaller(areaHeight, (int64_t)saved.bottom - saved.top));
    int64_t top =
        Smaller(Larger(workArea.top, saved.top), (int64_t)workArea.top + areaHeight - height);
    int64_t left =
        Smaller(Larger(workArea.left, saved.left), (int64_t)workArea.left + areaWidth - width);
    // Every value now lies within the work area's edges, so it fits an int.
    WindowPlacement placement = {(int)left, (int)top, (int)width, (int)height};
    return placement;
}
