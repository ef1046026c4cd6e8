// The race against the pace boat, told by the recorder what the rower does.
#include "boat/boat_race.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "log/row_file_loader.h"
#include "settings/text_table.h"

PaceBoat paceBoat;
BoatRace boatRace;

namespace {

// Rounded to the shown decimals first, so that the sign and the colour agree with the
// text; adding 0.0 turns a rounded -0.0 into 0.0.
double Shown(double value, double scale) {
    return round(value * scale) / scale + 0.0;
}

}  // namespace

bool ChoosePaceBoat(int32_t startTime) {
    // Loaded aside first: a file that does not load must not spoil the boat chosen before.
    PaceBoat* loaded = (PaceBoat*)malloc(sizeof(PaceBoat));
    if (loaded == NULL) return false;
    bool complete = LoadPaceBoat(loaded, startTime);
    if (complete) {
        memcpy(&paceBoat, loaded, sizeof paceBoat);
        DropPaceBoat();
        boatRace.chosen = true;
        boatRace.boatFinishTime = PaceBoatFinishTime(paceBoat);
    }
    free(loaded);
    return complete;
}

void DropPaceBoat() {
    boatRace.chosen = false;
    boatRace.racing = false;
    boatRace.waiting = false;
    boatRace.gap = 0.0;
    boatRace.finished = false;
}

void StartPaceBoatRace() {
    if (!boatRace.chosen) return;
    boatRace.racing = true;
    boatRace.waiting = true;
    boatRace.now = 0;
    boatRace.boatPace[0] = PaceBoatPace(paceBoat, 0);
}

void FollowPaceBoat(int32_t elapsedTime, double elapsedDistance) {
    if (!boatRace.racing) return;
    boatRace.now = elapsedTime;
    if (boatRace.waiting) {
        if (elapsedTime == 0 && elapsedDistance == 0.0) return;
        boatRace.waiting = false;
        boatRace.lastTime = 0;
        boatRace.lastDistance = 0.0;
        boatRace.finished = false;
    }
    double finish = PaceBoatFinalDistance(paceBoat);
    if (!boatRace.finished && boatRace.lastDistance < finish && elapsedDistance >= finish) {
        // The rower crossed the boat's finish between the last reading and this one.
        double share = (finish - boatRace.lastDistance) / (elapsedDistance - boatRace.lastDistance);
        double crossing = boatRace.lastTime + share * (elapsedTime - boatRace.lastTime);
        boatRace.finishGap = boatRace.boatFinishTime - crossing;
        boatRace.finished = true;
    }
    boatRace.gap = elapsedDistance - PaceBoatDistance(paceBoat, elapsedTime);
    boatRace.lastTime = elapsedTime;
    boatRace.lastDistance = elapsedDistance;
}

void NotePaceBoatSample(int sample) {
    if (!boatRace.racing || sample < 0 || sample >= MAX_SAMPLES) return;
    boatRace.boatPace[sample] = PaceBoatPace(paceBoat, boatRace.now);
}

bool FormatBoatGap(char* text, size_t size, bool* ahead) {
    if (!boatRace.racing) return false;
    const char* label = textTable[TEXT_BOAT];
    const int labelSize = TEXT_SLOT_SIZE - 1;
    if (boatRace.finished) {
        double seconds = Shown(boatRace.finishGap / 100.0, 100.0);
        snprintf(text, size, "%.*s: %+.2f %.*s", labelSize, label, seconds, labelSize,
                 textTable[TEXT_UNIT_SECONDS]);
        *ahead = seconds >= 0.0;
    } else {
        double metres = Shown(boatRace.gap, 10.0);
        snprintf(text, size, "%.*s: %+.1f %.*s", labelSize, label, metres, labelSize,
                 textTable[TEXT_UNIT_DISTANCE]);
        *ahead = metres >= 0.0;
    }
    return true;
}

void FormatNoPaceBoatItem(char* text, size_t size) {
    const char* label = textTable[TEXT_NO_PACE_BOAT];
    if (!boatRace.chosen) {
        snprintf(text, size, "%.*s", TEXT_SLOT_SIZE - 1, label);
        return;
    }
    char date[ENTRY_DATE_SIZE];
    FormatEntryDate(date, paceBoat.startTime);
    snprintf(text, size, "%.*s (%s)", TEXT_SLOT_SIZE - 1, label, date);
}
