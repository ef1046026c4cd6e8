// The live poll's tick: counter poll, workout boundaries, stroke samples, row file.
#include "monitor/recorder.h"

#include <string.h>

#include "app/app_state.h"
#include "boat/boat_race.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "monitor/poll_answer.h"
#include "monitor/poll_state.h"
#include "monitor/row_file.h"
#include "monitor/stroke_history.h"
#include "settings/text_table.h"

// -99 makes the first tick count as a change.
const int32_t UNSEEN_TIME = -99;
const double UNSEEN_DISTANCE = -99.0;

// At program start the stroke is armed, so the first recovery seen takes a sample.
const bool ARMED_AT_START = true;

bool strokeArmed = ARMED_AT_START;
int32_t lastPolledTime = UNSEEN_TIME;
double lastPolledDistance = UNSEEN_DISTANCE;
int32_t workoutStartTime = 0;
double workoutStartDistance = 0.0;
FILE* rowFile = NULL;
int32_t rowFileSeconds = 0;
RowFileListener rowFileListener = NULL;
WorkoutClosedListener workoutClosedListener = NULL;

namespace {

// Set while strokes go unrecorded because no row file could be created: the message then stays
// on the status line, which every other change clears, until a row file is created.
bool rowFileFailing = false;

void ShowStatusAfterChange() {
    if (rowFileFailing) {
        snprintf(statusLine, STATUS_LINE_SIZE, "%.*s\n", TEXT_SLOT_SIZE - 1,
                 textTable[TEXT_ROW_FILE_ERROR]);
    } else {
        statusLine[0] = '\0';
    }
}

void TellRowFileListener() {
    if (rowFileListener != NULL) rowFileListener();
}

const int STROKE_STATE_DRIVE = 2;
const int STROKE_STATE_RECOVERY = 4;

// Work time, work distance and stroke state, wrapped in the monitor's own command.
const uint32_t COUNTER_POLL[] = {0x1A, 3, 0xA0, 0xA3, 0xBF};
// Pace, power, calories, cadence and current heart rate.
const uint32_t STROKE_POLL[] = {0xA6, 0xB4, 0xA3, 0xA7, 0xB0};
const uint16_t POLL_ENTRIES = 5;

int16_t SendPoll(const uint32_t* request, uint32_t* responses) {
    uint32_t commands[POLL_ENTRIES];
    memcpy(commands, request, sizeof commands);
    memset(responses, 0, CSAFE_RESPONSE_CAPACITY * sizeof(uint32_t));
    uint16_t responseSize = CSAFE_RESPONSE_CAPACITY;
    if (monitorApi.csafeCommand == NULL) return -1;
    return monitorApi.csafeCommand(0, POLL_ENTRIES, commands, &responseSize, responses);
}

// Elapsed value since the workout start; 64-bit so no counter value can overflow it.
int32_t ElapsedTime(int32_t startTime, int32_t now) {
    int64_t difference = (int64_t)startTime - (int64_t)now;
    return (int32_t)(difference < 0 ? -difference : difference);
}

double ElapsedDistance(double startDistance, double now) {
    double difference = startDistance - now;
    return difference < 0 ? -difference : difference;
}

// The workout's totals for its closing line. When the monitor itself finished the piece,
// the counter that counted down reads 0 while the other keeps its value, and the totals are
// this reading's. A reset (both counters 0), a workout given up, or the start of a workout
// programmed from the menu tells nothing about the old workout: its totals are then those
// of its last tick, never the target it did not reach.
bool MonitorFinishedPiece(int32_t workTime, double workDistance, bool commanded) {
    if (commanded) return false;
    bool timeRanOut = workTime == 0 && workDistance != 0.0 && workoutStartTime > lastPolledTime;
    bool distanceRanOut =
        workDistance == 0.0 && workTime != 0 && workoutStartDistance > lastPolledDistance;
    return timeRanOut || distanceRanOut;
}

void WriteClosingLine(int32_t workTime, double workDistance, bool commanded) {
    int32_t endTime = lastPolledTime;
    double endDistance = lastPolledDistance;
    if (MonitorFinishedPiece(workTime, workDistance, commanded)) {
        endTime = workTime;
        endDistance = workDistance;
    }
    int i = liveHistory.lastSample;
    WriteRowLine(rowFile, ElapsedTime(workoutStartTime, endTime),
                 ElapsedDistance(workoutStartDistance, endDistance), liveHistory.pace[i],
                 liveHistory.power[i], liveHistory.calories, liveHistory.strokeRate[i],
                 liveHistory.heartRate[i]);
}

void StartWorkout(int32_t workTime, double workDistance, bool commanded) {
    newWorkoutPending = false;
    // The reading that ends a piece is its last: the rower may cross the boat's finish in it.
    if (MonitorFinishedPiece(workTime, workDistance, commanded))
        FollowPaceBoat(ElapsedTime(workoutStartTime, workTime),
                       ElapsedDistance(workoutStartDistance, workDistance));
    if (rowFile != NULL) {
        WriteClosingLine(workTime, workDistance, commanded);
        fclose(rowFile);
        rowFile = NULL;
        const int32_t closed = rowFileSeconds;
        rowFileSeconds = 0;
        TellRowFileListener();
        if (workoutClosedListener != NULL) workoutClosedListener(closed);
    }
    liveHistory.lastSample = 0;
    liveHistory.distancePerStroke = 0;
    liveHistory.pace[0] = 0;
    liveHistory.heartRate[0] = 0;
    liveHistory.strokeRate[0] = 0;
    liveHistory.calories = 0;
    liveHistory.power[0] = 0;
    workoutStartTime = workTime;
    workoutStartDistance = workDistance;
    StartPaceBoatRace();
}

// A stroke whose values never arrived repeats the previous sample's, so the graph does not
// show what an earlier workout left in the slot.
void RepeatPreviousSample(int previous, int i) {
    if (previous == i) return;
    liveHistory.pace[i] = liveHistory.pace[previous];
    liveHistory.power[i] = liveHistory.power[previous];
    liveHistory.strokeRate[i] = liveHistory.strokeRate[previous];
    liveHistory.heartRate[i] = liveHistory.heartRate[previous];
}

// Returns false when the stroke poll failed (the error is then on the status line).
bool TakeStrokeSample(int32_t workTime, double workDistance) {
    int32_t previous = liveHistory.lastSample;
    if (previous < 0) previous = 0;
    if (previous > LAST_SAMPLE_INDEX) previous = LAST_SAMPLE_INDEX;
    int32_t i = previous < LAST_SAMPLE_INDEX ? previous + 1 : previous;
    liveHistory.lastSample = i;
    strokeArmed = false;
    NotePaceBoatSample(i);

    uint32_t r[CSAFE_RESPONSE_CAPACITY];
    int16_t status = SendPoll(STROKE_POLL, r);
    if (status != 0 || !IsStrokePollAnswer(r)) {
        if (status != 0) {
            ShowMonitorError(status);
        } else {
            ShowBadMonitorAnswer();
        }
        RepeatPreviousSample(previous, i);
        return false;
    }
    liveHistory.pace[i] = ((double)r[2] + 256.0 * (double)r[3]) / 1000.0;
    liveHistory.power[i] = (int32_t)(r[7] + 256u * r[8]);
    liveHistory.calories = (int32_t)(r[12] + 256u * r[13]);
    liveHistory.strokeRate[i] = (int32_t)r[16];
    liveHistory.heartRate[i] = (int32_t)r[21];
    if (liveHistory.heartRate[i] > 0) liveHistory.heartRateCount++;

    // A pace of 0 would make the distance infinite: show 0 instead.
    if (liveHistory.strokeRate[i] == 0 || liveHistory.pace[i] == 0.0) {
        liveHistory.distancePerStroke = 0;
    } else {
        liveHistory.distancePerStroke = 60.0 / liveHistory.strokeRate[i] / liveHistory.pace[i];
    }

    if (rowFile == NULL && workDistance > 0.0 && workTime > 0) {
        rowFile = CreateRowFile(&rowFileSeconds);
        rowFileFailing = rowFile == NULL;
        ShowStatusAfterChange();
        if (rowFile != NULL) TellRowFileListener();
    }
    if (rowFile != NULL) {
        WriteRowLine(rowFile, ElapsedTime(workoutStartTime, workTime),
                     ElapsedDistance(workoutStartDistance, workDistance), liveHistory.pace[i],
                     liveHistory.power[i], liveHistory.calories, liveHistory.strokeRate[i],
                     liveHistory.heartRate[i]);
    }
    return true;
}

}  // namespace

uint32_t ReadLe32(const uint32_t* entries) {
    return entries[0] + (entries[1] << 8) + (entries[2] << 16) + (entries[3] << 24);
}

TickResult RunPollTick() {
    if (monitorBusy) return NoRedraw;

    uint32_t r[CSAFE_RESPONSE_CAPACITY];
    int16_t status = SendPoll(COUNTER_POLL, r);
    if (status != 0) {
        ShowMonitorError(status);
        return RedrawNumbers;
    }
    if (!IsCounterPollAnswer(r)) {
        ShowBadMonitorAnswer();
        return RedrawNumbers;
    }
    int32_t workTime = (int32_t)(ReadLe32(&r[4]) + r[8]);
    double workDistance = (double)(uint32_t)(ReadLe32(&r[11]) + r[15]) / 10.0;
    liveHistory.workTime = workTime;
    liveHistory.distance = workDistance;

    if (workTime == lastPolledTime && workDistance == lastPolledDistance) return NoRedraw;

    // Pending before this reading only when a workout command ended the workout.
    bool commanded = newWorkoutPending;
    if (workTime == 0 || workDistance == 0.0) newWorkoutPending = true;
    if (newWorkoutPending) StartWorkout(workTime, workDistance, commanded);
    FollowPaceBoat(ElapsedTime(workoutStartTime, workTime),
                   ElapsedDistance(workoutStartDistance, workDistance));
    lastPolledTime = workTime;
    lastPolledDistance = workDistance;
    ShowStatusAfterChange();

    int32_t strokeState = (int32_t)r[18];
    liveHistory.strokeState = strokeState;
    if (strokeState == STROKE_STATE_RECOVERY && strokeArmed) {
        return TakeStrokeSample(workTime, workDistance) ? RedrawFull : RedrawNumbers;
    }
    if (strokeState == STROKE_STATE_DRIVE) strokeArmed = true;
    return RedrawNumbers;
}

void CloseRowFileStream() {
    if (rowFile != NULL) fclose(rowFile);
    rowFile = NULL;
    rowFileSeconds = 0;
}

void ResetRecorderState() {
    CloseRowFileStream();
    strokeArmed = ARMED_AT_START;
    lastPolledTime = UNSEEN_TIME;
    lastPolledDistance = UNSEEN_DISTANCE;
    workoutStartTime = 0;
    workoutStartDistance = 0.0;
    monitorBusy = false;
    newWorkoutPending = false;
    rowFileFailing = false;
    memset(&liveHistory, 0, sizeof liveHistory);
}
