// One workout as per-stroke samples plus running and summary values.
// The live record is written by the poll; loaded records come from row files.
#pragma once
#include <stdint.h>

const int MAX_SAMPLES = 20000;
const int LAST_SAMPLE_INDEX = MAX_SAMPLES - 1;

struct StrokeHistory {
    int32_t startTime;       // seconds since 1970 (loaded records only)
    int32_t lastSample;      // index of the newest sample, 0 = none yet
    int32_t heartRateCount;  // samples with a heart rate seen (live) / average (loaded)
    int32_t strokeState;     // 0,1 waiting, 2 driving, 3 dwelling, 4 recovery
    int32_t workTime;        // hundredths of a second, raw monitor counter (live)
    int32_t power[MAX_SAMPLES];
    int32_t calories;
    int32_t strokeRate[MAX_SAMPLES];
    int32_t heartRate[MAX_SAMPLES];
    double distance;           // metres, raw monitor counter (live)
    double pace[MAX_SAMPLES];  // seconds per metre
    double distancePerStroke;
    int32_t avgPower;  // non-zero marks a finished, loaded workout
    int32_t avgStrokeRate;
    int32_t avgHeartRate;
};

// The live workout, zero at program start.
extern StrokeHistory liveHistory;
