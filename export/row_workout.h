// A row file read whole for export: every data line as written, and the totals the rowing
// log shows for it. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "log/row_file_parser.h"

struct RowWorkout {
    int32_t startTime;           // seconds since 1970; the row file's name
    std::vector<RowLine> lines;  // every data line, the closing line included
};

// The workout's totals as the log and the entry window show them: time, distance and
// calories of the last line, averages over all lines, the stroke rate from their count.
struct WorkoutTotals {
    int32_t workTime;  // hundredths of a second
    double distance;   // metres
    int32_t calories;
    int32_t avgPower, avgStrokeRate, avgHeartRate;
    int32_t maxPower, maxStrokeRate, maxHeartRate;
    double avgSpeed, maxSpeed;  // metres per second
};

enum RowFileRead { ROW_FILE_READ, ROW_FILE_MISSING, ROW_FILE_NOT_VALID };

// Reads a row file's text: the header line, then data lines up to the first malformed one.
// False when they make no workout (none, or a last Time of 0), as for the loader.
bool ParseRowWorkout(const char* text, size_t length, RowWorkout* workout);

// Reads "<base>\data\<startTime>.csv". A file that is not valid gets the loader's notice.
RowFileRead ReadRowWorkout(int32_t startTime, RowWorkout* workout);

WorkoutTotals SumUpWorkout(const RowWorkout& workout);

// Metres per second of a pace in seconds per metre; 0 for no pace.
double SpeedOfPace(double pace);
