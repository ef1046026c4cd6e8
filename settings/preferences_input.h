// Window-free rules of the Preferences dialog: reading its number boxes and refusing a
// graph scale that would leave the strip graph an empty range.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "settings/settings.h"

// An edit's text as an unsigned decimal. Blanks around the digits are allowed; empty text,
// a sign, letters, or a value above the largest signed 32-bit number read as 0.
int32_t ReadUnsignedDecimal(const char* text);

enum ScaleRow {
    SCALE_NONE = -1,
    SCALE_HEART_RATE,
    SCALE_STROKE_RATE,
    SCALE_PACE,
    SCALE_POWER,
};

// The first scale, in the dialog's row order, whose maximum is not above its minimum.
ScaleRow FirstEmptyScale(const Settings& candidate);

// "The Power scale's maximum must be above its minimum."
void FormatEmptyScaleMessage(ScaleRow scale, char* buffer, size_t size);
