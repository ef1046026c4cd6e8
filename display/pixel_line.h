// Lines one pixel wide drawn straight into 32-bit pixels, pixel for pixel as the graphics
// device interface draws them with a one-pixel pen, at a fraction of its cost for the
// thousands of short vertical strokes of a long workout's graph. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "display/panel_geometry.h"

// Row y starts at bits + y * stride (stride negative for a picture stored bottom-up).
struct PixelBuffer {
    uint32_t* bits;
    ptrdiff_t stride;
    int width, height;
};

// Draws the line through points[0..count-1] in pixel (0x00RRGGBB): each segment from its
// start up to, not including, its end, so the last point stays blank as with Polyline.
// Dotted: three pixels on, three off, the pattern running on from segment to segment.
// False, with nothing drawn, when a point lies outside the buffer.
bool DrawPixelLine(const PixelBuffer& buffer, const PlotPoint* points, int count, uint32_t pixel,
                   bool dotted);
