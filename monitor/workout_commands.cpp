// The reset-then-program sequence of the workout commands and the clock command.
// They block the caller for about a second; monitorBusy keeps the polling tick away meanwhile.
#include "monitor/workout_commands.h"

#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "monitor/poll_state.h"
#include "monitor/workout_requests.h"

namespace {

// Gives the monitor time to finish what a poll just asked before it is reset.
const uint32_t SETTLE_MS = 100;
// The monitor needs this long after the reset before it takes a new program.
const uint32_t RESET_MS = 1000;

// Sends one request to unit 0; a failure goes to the status line.
int16_t Send(const CsafeRequest& request) {
    uint32_t entries[MAX_REQUEST_ENTRIES];
    for (int i = 0; i < MAX_REQUEST_ENTRIES; ++i) entries[i] = request.entries[i];
    uint32_t response[CSAFE_RESPONSE_CAPACITY] = {};
    uint16_t responseCount = CSAFE_RESPONSE_CAPACITY;
    const int16_t status =
        monitorApi.csafeCommand(0, request.count, entries, &responseCount, response);
    if (status != 0) ShowMonitorError(status);
    return status;
}

void Wait(const MonitorCommandHooks& hooks, uint32_t milliseconds) {
    if (hooks.wait) hooks.wait(milliseconds);
}

void Redraw(const MonitorCommandHooks& hooks, unsigned char full) {
    if (hooks.redraw) hooks.redraw(full);
}

void RunWorkout(const CsafeRequest& workout, unsigned char full, const MonitorCommandHooks& hooks) {
    const CsafeRequest reset = BuildResetRequest();
    monitorBusy = true;
    Wait(hooks, SETTLE_MS);
    Send(reset);  // a failed reset is shown, and the program is sent anyway
    Wait(hooks, RESET_MS);
    // Only a programmed workout ends the current one; after a failure it goes on recording.
    if (Send(workout) == 0) newWorkoutPending = true;
    Redraw(hooks, full);
    monitorBusy = false;
}

}  // namespace

void RunDistanceWorkout(int32_t metres, const MonitorCommandHooks& hooks) {
    RunWorkout(BuildDistanceWorkoutRequest(metres), 1, hooks);
}

void RunTimeWorkout(int32_t minutes, const MonitorCommandHooks& hooks) {
    RunWorkout(BuildTimeWorkoutRequest(minutes), 0, hooks);
}

void RunStoredWorkout(int32_t number, const MonitorCommandHooks& hooks) {
    RunWorkout(BuildStoredWorkoutRequest(number), 0, hooks);
}

void RunClockCommand(const MonitorCommandHooks& hooks) {
    monitorBusy = true;
    Wait(hooks, SETTLE_MS);
    const time_t now = hooks.now ? hooks.now() : time(nullptr);
    // Single-threaded program: the static result of localtime is not shared.
    const struct tm* local = localtime(&now);
    // A clock the C library cannot break down is not worth sending.
    if (local && Send(BuildClockRequest(*local)) != 0) Redraw(hooks, 0);
    monitorBusy = false;
}
