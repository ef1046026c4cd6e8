// The placement rule: never larger than the work area, moved back inside by the least
// distance, so the window always lies wholly within the work area.
#include "app/window_placement.h"

static int Smaller(int a, int b) {
    return a < b ? a : b;
}
static int Larger(int a, int b) {
    return a > b ? a : b;
}

WindowPlacement PlaceInWorkArea(const SettingsRect& savedFrame, const SettingsRect& workArea) {
    // An empty or inverted frame comes only from a damaged settings file (a 0-byte file
    // reads as all zero); opening a window nobody can see would help no one.
    bool empty = savedFrame.right <= savedFrame.left || savedFrame.bottom <= savedFrame.top;
    const SettingsRect& saved = empty ? workArea : savedFrame;
    WindowPlacement placement;
    placement.width = Smaller(workArea.right - workArea.left, saved.right - saved.left);
    placement.height = Smaller(workArea.bottom - workArea.top, saved.bottom - saved.top);
    placement.top = Smaller(Larger(workArea.top, saved.top), workArea.bottom - placement.height);
    placement.left = Smaller(Larger(workArea.left, saved.left), workArea.right - placement.width);
    return placement;
}
