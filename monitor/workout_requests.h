// The CSAFE requests that program a workout or set the monitor's clock, one byte per entry.
#pragma once
#include <stdint.h>
#include <time.h>

// The longest request: the distance workout.
const int MAX_REQUEST_ENTRIES = 19;

struct CsafeRequest {
    uint16_t count;
    uint32_t entries[MAX_REQUEST_ENTRIES];
};

// Finished, idle, have-id: leaves whatever the monitor was doing so it accepts a program.
CsafeRequest BuildResetRequest();

// 250 m below 500 m, then 500 m per started 15 km: 500, 1000 from 15000 m, 1500 from 30000 m.
int32_t SplitLengthFor(int32_t metres);

CsafeRequest BuildDistanceWorkoutRequest(int32_t metres);
CsafeRequest BuildTimeWorkoutRequest(int32_t minutes);
CsafeRequest BuildStoredWorkoutRequest(int32_t number);

// Time of day and date from a broken-down local time.
CsafeRequest BuildClockRequest(const struct tm& local);
