// File names and time texts of exported workouts.
#include "export/export_names.h"

#include <ctype.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

void FormatExportName(char* buffer, size_t size, int32_t startTime, double distance,
                      ExportFormat format) {
    time_t start = startTime;
    const struct tm* local = localtime(&start);
    char date[32] = "";
    if (local == NULL || strftime(date, sizeof date, "%Y-%m-%d %H%M", local) == 0)
        snprintf(date, sizeof date, "%ld", (long)startTime);
    // Truncated as the upload reports it: 1999.9 m has not reached 2000 m.
    double metres = distance > 0.0 && distance < 1e9 ? floor(distance) : 0.0;
    snprintf(buffer, size, "%s %.0fm.%s", date, metres, format == EXPORT_TCX ? "tcx" : "fit");
}

ExportFormat ExportFormatOfName(const char* name, ExportFormat fallback) {
    size_t length = strlen(name);
    if (length < 4) return fallback;
    char extension[5] = "";
    for (int i = 0; i < 4; i++) extension[i] = (char)tolower((unsigned char)name[length - 4 + i]);
    if (strcmp(extension, ".fit") == 0) return EXPORT_FIT;
    if (strcmp(extension, ".tcx") == 0) return EXPORT_TCX;
    return fallback;
}

void FormatUtcTime(char* buffer, size_t size, int64_t seconds, int hundredths) {
    time_t moment = (time_t)seconds;
    const struct tm* utc = gmtime(&moment);
    char whole[32] = "1970-01-01T00:00:00";
    if (utc != NULL) strftime(whole, sizeof whole, "%Y-%m-%dT%H:%M:%S", utc);
    if (hundredths >= 0)
        snprintf(buffer, size, "%s.%02dZ", whole, hundredths % 100);
    else
        snprintf(buffer, size, "%sZ", whole);
}
