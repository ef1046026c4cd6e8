// The row file's data lines into a StrokeHistory: samples, totals and averages.
#include "log/row_file_parser.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

int32_t ClampToInt32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return (int32_t)value;
}

// An integer column as "%i" reads it (strtoll with base 0 takes the same text), clamped
// to 32 bits where scanf would leave an out-of-range value undefined.
bool ReadInteger(const char** p, int32_t* value) {
    char* end;
    long long read = strtoll(*p, &end, 0);
    if (end == *p) return false;
    *value = ClampToInt32(read);
    *p = end;
    return true;
}

bool ReadReal(const char** p, double* value) {
    char* end;
    *value = strtod(*p, &end);
    if (end == *p) return false;
    *p = end;
    return true;
}

bool ReadComma(const char** p) {
    if (**p != ',') return false;
    ++*p;
    return true;
}

}  // namespace

bool ParseRowLine(const char* line, RowLine* row) {
    // Column by column as "%i,%lf,%lf,%i,%i,%i,%i" reads them.
    const char* p = line;
    RowLine read;
    if (!ReadInteger(&p, &read.time) || !ReadComma(&p) || !ReadReal(&p, &read.distance) ||
        !ReadComma(&p) || !ReadReal(&p, &read.pace) || !ReadComma(&p) ||
        !ReadInteger(&p, &read.power) || !ReadComma(&p) || !ReadInteger(&p, &read.calories) ||
        !ReadComma(&p) || !ReadInteger(&p, &read.strokeRate) || !ReadComma(&p) ||
        !ReadInteger(&p, &read.heartRate))
        return false;
    // The writer prints plain decimals; "nan" or "inf" would poison every drawing.
    if (!isfinite(read.distance) || !isfinite(read.pace)) return false;
    *row = read;
    return true;
}

void StartRowFileReading(RowFileReading* reading, StrokeHistory* history) {
    *reading = RowFileReading{history, 0, 0, 0};
    history->strokeState = 0;
    history->avgPower = 0;
    history->avgHeartRate = 0;
}

bool ReadRowFileLine(RowFileReading* reading, const char* line) {
    RowLine row;
    if (!ParseRowLine(line, &row)) return false;
    StrokeHistory* history = reading->history;
    // Lines past the arrays' end overwrite the last sample, as the live record does; the
    // totals still come from the file's last line.
    int32_t n = reading->lines < LAST_SAMPLE_INDEX ? (int32_t)reading->lines : LAST_SAMPLE_INDEX;
    history->workTime = row.time;
    history->distance = row.distance;
    history->calories = row.calories;
    history->pace[n] = row.pace;
    history->power[n] = row.power;
    history->strokeRate[n] = row.strokeRate;
    history->heartRate[n] = row.heartRate;
    reading->powerSum += row.power;
    reading->heartRateSum += row.heartRate;
    reading->lines++;
    return true;
}

bool FinishRowFileReading(RowFileReading* reading) {
    StrokeHistory* history = reading->history;
    int64_t n = reading->lines;
    if (n == 0 || history->workTime == 0) return false;
    history->avgPower = (int32_t)(reading->powerSum / n);
    history->avgHeartRate = (int32_t)(reading->heartRateSum / n);
    history->heartRateCount = history->avgHeartRate;
    history->avgStrokeRate = ClampToInt32(n * 6000 / history->workTime);
    // The monitor rarely knows the first stroke's rate yet (often 0), so sample 0 becomes
    // the mean of the average and the second stroke. A lone line keeps its own rate.
    if (n > 1)
        history->strokeRate[0] =
            (int32_t)(((int64_t)history->avgStrokeRate + history->strokeRate[1]) / 2);
    history->lastSample = n - 1 < LAST_SAMPLE_INDEX ? (int32_t)(n - 1) : LAST_SAMPLE_INDEX;
    history->distancePerStroke = history->distance / (double)n;
    return true;
}

bool ParseRowFileText(const char* text, size_t length, StrokeHistory* history) {
    RowFileReading reading;
    StartRowFileReading(&reading, history);
    const char* end = text + length;
    const char* header = (const char*)memchr(text, '\n', length);
    const char* next = header != NULL ? header + 1 : end;
    while (next < end) {
        const char* lineEnd = (const char*)memchr(next, '\n', (size_t)(end - next));
        if (lineEnd == NULL) lineEnd = end;
        size_t size = (size_t)(lineEnd - next);
        if (size > (size_t)ROW_LINE_SIZE - 2) break;
        char line[ROW_LINE_SIZE];
        memcpy(line, next, size);
        line[size] = '\0';
        if (!ReadRowFileLine(&reading, line)) break;
        next = lineEnd + (lineEnd < end ? 1 : 0);
    }
    return FinishRowFileReading(&reading);
}
