// The display routine for any device context: the off-screen bitmap, an entry window,
// a printer page.
#pragma once
#include <windows.h>
#include "monitor/stroke_history.h"

// Draws the numbers (and, with full set or for a finished workout, the strip graph).
// Only the low 8 bits of full count.
void DrawPanel(HDC target, const StrokeHistory* history, unsigned char full);

// The strip graph box; the caller has set the panel's mapping and label font. Unless blank
// says the caller has just cleared the target, the selected brush blanks the box first.
void DrawStripGraph(HDC target, const StrokeHistory* history, int left, int top, int right,
                    int height, bool blank);

// The pen of a series line on this target: one logical unit (unitPixels) wide on a printer,
// one pixel on a screen. style is PS_SOLID, or PS_DOT for the pace boat.
HPEN CreateSeriesPen(HDC target, int style, COLORREF colour, int unitPixels);
