// Reading the data lines of a row file into a StrokeHistory, from text already in memory.
// The loader feeds it a file line by line; ParseRowFileText takes a whole file's text.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "monitor/stroke_history.h"

// Room for one data line, its line feed and the NUL: longer lines count as malformed.
// The writer's lines are under 100 characters.
const int ROW_LINE_SIZE = 256;

// One data line: Time, Distance, Pace, Watts, Cals, SPM, HR.
struct RowLine {
    int32_t time;
    double distance;
    double pace;
    int32_t power;
    int32_t calories;
    int32_t strokeRate;
    int32_t heartRate;
};

// True when the line (NUL-terminated, line end optional) converts all seven columns
// with "%i,%lf,%lf,%i,%i,%i,%i" and its distance and pace are finite numbers.
bool ParseRowLine(const char* line, RowLine* row);

// A loading in progress: the record and the running counts of the lines read so far.
struct RowFileReading {
    StrokeHistory* history;
    int64_t lines;
    int64_t powerSum;
    int64_t heartRateSum;
};

void StartRowFileReading(RowFileReading* reading, StrokeHistory* history);
// Adds one data line; false (nothing added) when it is malformed, which ends the reading.
bool ReadRowFileLine(RowFileReading* reading, const char* line);
// Completes the record's averages; false when the lines read make no workout (none, or
// a last Time of 0).
bool FinishRowFileReading(RowFileReading* reading);

// Loads a whole row file's text: the first line is the header, then data lines up to the
// first malformed one. Same result as FinishRowFileReading.
bool ParseRowFileText(const char* text, size_t length, StrokeHistory* history);
