// Reading a whole row file for export, and the totals of the workout it holds.
#include "export/row_workout.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "app/app_state.h"
#include "log/log_notices.h"
#include "monitor/row_file.h"

bool ParseRowWorkout(const char* text, size_t length, RowWorkout* workout) {
    workout->lines.clear();
    const char* end = text + length;
    const char* header = (const char*)memchr(text, '\n', length);
    for (const char* next = header != NULL ? header + 1 : end; next < end;) {
        const char* lineEnd = (const char*)memchr(next, '\n', (size_t)(end - next));
        if (lineEnd == NULL) lineEnd = end;
        size_t size = (size_t)(lineEnd - next);
        char line[ROW_LINE_SIZE];
        RowLine row;
        if (size > (size_t)ROW_LINE_SIZE - 2) break;
        memcpy(line, next, size);
        line[size] = '\0';
        if (!ParseRowLine(line, &row)) break;
        workout->lines.push_back(row);
        next = lineEnd + 1;
    }
    return !workout->lines.empty() && workout->lines.back().time != 0;
}

RowFileRead ReadRowWorkout(int32_t startTime, RowWorkout* workout) {
    workout->startTime = startTime;
    workout->lines.clear();
    char path[BASE_DIRECTORY_SIZE + 64];
    if (!FormatRowFilePath(path, sizeof path, startTime)) return ROW_FILE_MISSING;
    FILE* file = fopen(path, "r");  // text mode, as the recorder wrote it
    if (file == NULL) return ROW_FILE_MISSING;
    std::string text;
    char chunk[4096];
    for (size_t read; (read = fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, read);
    fclose(file);
    if (ParseRowWorkout(text.data(), text.size(), workout)) return ROW_FILE_READ;
    if (rowFileNotValid != NULL) rowFileNotValid(path);
    return ROW_FILE_NOT_VALID;
}

double SpeedOfPace(double pace) {
    return pace > 0.0 ? 1.0 / pace : 0.0;
}

WorkoutTotals SumUpWorkout(const RowWorkout& workout) {
    WorkoutTotals totals = {};
    int64_t n = (int64_t)workout.lines.size(), powerSum = 0, heartRateSum = 0;
    if (n == 0) return totals;
    for (const RowLine& line : workout.lines) {
        powerSum += line.power;
        heartRateSum += line.heartRate;
        if (line.power > totals.maxPower) totals.maxPower = line.power;
        if (line.strokeRate > totals.maxStrokeRate) totals.maxStrokeRate = line.strokeRate;
        if (line.heartRate > totals.maxHeartRate) totals.maxHeartRate = line.heartRate;
        if (SpeedOfPace(line.pace) > totals.maxSpeed) totals.maxSpeed = SpeedOfPace(line.pace);
    }
    const RowLine& last = workout.lines.back();
    totals.workTime = last.time;
    totals.distance = last.distance;
    totals.calories = last.calories;
    totals.avgPower = (int32_t)(powerSum / n);
    totals.avgHeartRate = (int32_t)(heartRateSum / n);
    if (last.time > 0) {
        int64_t rate = n * 6000 / last.time;
        totals.avgStrokeRate = rate < INT32_MAX ? (int32_t)rate : INT32_MAX;
        totals.avgSpeed = last.distance * 100.0 / last.time;
    }
    return totals;
}
