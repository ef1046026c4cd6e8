// The race against the pace boat: the boat the rower chose, whether it races the current
// workout, and the gap the panel shows. Window-free; the recorder reports the workout.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "boat/pace_boat.h"

struct BoatRace {
    bool chosen;   // paceBoat holds the boat the rower chose
    bool racing;   // it races the current workout
    bool waiting;  // the workout started but the rower has not moved: the last gap stays
    int32_t now;   // the rower's newest elapsed time in this workout
    int32_t lastTime;  // the rower's previous reading in this race
    double lastDistance;
    double gap;  // metres, positive when the rower is ahead
    bool finished;     // the rower has passed the boat's final distance
    double finishGap;  // hundredths at that crossing, positive when the rower was faster
    double boatFinishTime;
    double boatPace[MAX_SAMPLES];  // the boat's pace at each live sample of the workout
};

// Chosen for this run only; nothing of it is saved.
extern PaceBoat paceBoat;
extern BoatRace boatRace;

// Loads the row file of that workout as the boat for the next workout and after; false
// (and the boat chosen before stays) when it is missing or holds no workout.
bool ChoosePaceBoat(int32_t startTime);
void DropPaceBoat();

// From the recorder: a new workout starts; a reading of the counters as elapsed time and
// distance since the workout's start; a stroke sample was stored at this index.
void StartPaceBoatRace();
void FollowPaceBoat(int32_t elapsedTime, double elapsedDistance);
void NotePaceBoatSample(int sample);

// The line under the numbers, "Boat: +12.3 m" or once past the boat's finish "Boat: -2.31 s";
// false when no boat races. ahead tells the colour: the rower is ahead or level.
bool FormatBoatGap(char* text, size_t size, bool* ahead);
// The Workout menu's item: its text, naming the chosen boat by its date.
void FormatNoPaceBoatItem(char* text, size_t size);
