// A pace boat: an earlier workout's row file replayed by elapsed time, so that the rower can
// race it stroke by stroke. Window-free.
#pragma once
#include <stdint.h>

#include "monitor/stroke_history.h"

// The stroke lines a boat keeps, as many as a workout has samples. A longer row file keeps
// its first lines and its last: every line past the bound takes the last place, so the boat
// still finishes at its own time and distance and covers the lines it dropped at an even speed.
const int MAX_BOAT_POINTS = MAX_SAMPLES;

struct PaceBoat {
    int32_t startTime;  // the row file's number (seconds since 1970)
    int32_t points;     // lines kept
    int32_t time[MAX_BOAT_POINTS];  // hundredths since the start, never decreasing
    double distance[MAX_BOAT_POINTS];  // metres since the start
    double pace[MAX_BOAT_POINTS];      // seconds per metre at that stroke
};

void StartPaceBoatReading(PaceBoat* boat, int32_t startTime);
// Adds one data line of a row file; false (nothing added) when it is malformed, which ends
// the reading as it ends the rowing log's.
bool AddPaceBoatLine(PaceBoat* boat, const char* line);
// False when the lines read make no workout: none, or a last time of 0.
bool IsPaceBoatComplete(const PaceBoat& boat);
// Reads "<base>\data\<startTime>.csv"; false when it is missing or makes no workout.
bool LoadPaceBoat(PaceBoat* boat, int32_t startTime);

// Where the boat is after elapsed hundredths: from 0 m at 0 straight to each line in turn,
// and at the last line's distance for good once past it.
double PaceBoatDistance(const PaceBoat& boat, int32_t elapsed);
// The boat's pace at that moment: that of the stroke it is rowing (the next line), or
// infinite (standing still) once past its last line.
double PaceBoatPace(const PaceBoat& boat, int32_t elapsed);
double PaceBoatFinalDistance(const PaceBoat& boat);
// When the boat first reached its final distance, in hundredths since its start.
double PaceBoatFinishTime(const PaceBoat& boat);
