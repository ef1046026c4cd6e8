// One tick of the live poll, without the window: asks the monitor for its counters and,
// once per stroke, for the stroke's values; keeps the live record and the row file; and
// says what the caller has to redraw.
#pragma once
#include <stdint.h>
#include <stdio.h>

enum TickResult {
    NoRedraw,       // nothing changed (or the monitor is busy): draw nothing
    RedrawNumbers,  // draw the numbers panel
    RedrawFull,     // a stroke sample was stored: draw numbers and graphs
};

// State of the poll that lives for the whole run.
extern bool strokeArmed;        // armed by a drive, consumed by the next recovery
extern int32_t lastPolledTime;  // counters of the previous tick that saw a change
extern double lastPolledDistance;
extern int32_t workoutStartTime;  // counters when the current workout started
extern double workoutStartDistance;
extern FILE* rowFile;  // the current workout's row file, or NULL
// The number in the open row file's name (its workout's start time), or 0 when none is open:
// results with this start time are still being recorded.
extern int32_t rowFileSeconds;

// Told when the recorder creates or closes a row file, so an open rowing log can rescan.
typedef void (*RowFileListener)();
extern RowFileListener rowFileListener;
// Told the start time of a workout whose row file has just got its closing line and been
// closed, so that it can be sent on.
typedef void (*WorkoutClosedListener)(int32_t startTime);
extern WorkoutClosedListener workoutClosedListener;

// entries[0] + entries[1] * 2^8 + entries[2] * 2^16 + entries[3] * 2^24.
uint32_t ReadLe32(const uint32_t* entries);

// Runs one tick of the poll and returns what must be redrawn.
TickResult RunPollTick();

// Closes the row file's stream without a closing line, so the lines written so far reach the
// disk when the process is ended without the usual exit.
void CloseRowFileStream();

// Puts the poll back to its program-start state: closes an open row file without a
// closing line, re-arms the stroke, forgets the counters, clears monitorBusy and
// newWorkoutPending and zeroes the live record. For tests.
void ResetRecorderState();
