// Reading the Preferences dialog's numbers and checking its graph scales.
#include "settings/preferences_input.h"

#include <stdio.h>

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int32_t ReadUnsignedDecimal(const char* text) {
    if (!text) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    if (*p < '0' || *p > '9') return 0;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) return 0;
    }
    while (IsBlank(*p)) ++p;
    if (*p != '\0') return 0;
    return (int32_t)value;
}

ScaleRow FirstEmptyScale(const Settings& candidate) {
    if (candidate.heartRateMax <= candidate.heartRateMin) return SCALE_HEART_RATE;
    if (candidate.strokeRateMax <= candidate.strokeRateMin) return SCALE_STROKE_RATE;
    if (candidate.paceMax <= candidate.paceMin) return SCALE_PACE;
    if (candidate.powerMax <= candidate.powerMin) return SCALE_POWER;
    return SCALE_NONE;
}

void FormatEmptyScaleMessage(ScaleRow scale, char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    const char* name = "";
    switch (scale) {
    case SCALE_HEART_RATE: name = "Heart Rate"; break;
    case SCALE_STROKE_RATE: name = "SPM"; break;
    case SCALE_PACE: name = "Pace"; break;
    case SCALE_POWER: name = "Power"; break;
    case SCALE_NONE: buffer[0] = '\0'; return;
    }
    snprintf(buffer, size, "The %s scale's maximum must be above its minimum.", name);
}
