// Hundredths of a second as the text the panel and the rowing log show.
#include "display/format_time.h"

#include <stdio.h>

const char* FormatTime(int32_t hundredths) {
    static char text[256];
    // A negative count gets one leading minus and the digits of its magnitude; 64 bits so
    // that the magnitude of the most negative count still fits.
    int64_t count = hundredths;
    const char* sign = "";
    if (count < 0) {
        sign = "-";
        count = -count;
    }
    int64_t seconds = count / 100;
    int hours = (int)(seconds / 3600);
    int minutes = (int)(seconds % 3600 / 60);
    int secs = (int)(seconds % 60);
    int rest = (int)(count % 100);
    if (hours != 0)
        snprintf(text, sizeof text, "%s%i:%02i:%02i.%02i", sign, hours, minutes, secs, rest);
    else
        snprintf(text, sizeof text, "%s%i:%02i.%02i", sign, minutes, secs, rest);
    return text;
}
