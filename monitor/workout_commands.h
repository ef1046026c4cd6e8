// Menu commands that write to the monitor: program a workout, set its clock.
#pragma once
#include <stdint.h>
#include <time.h>

void ProgramDistanceWorkout(int32_t metres);
void ProgramTimeWorkout(int32_t minutes);
void ProgramStoredWorkout(int32_t number);  // 1..15
void SetMonitorClock();

// The window-free sequences behind the four commands. The waiting, the clock and the
// redraw of the live display are passed in, so tests run at once and at a fixed time.
struct MonitorCommandHooks {
    void (*wait)(uint32_t milliseconds);
    time_t (*now)();
    void (*redraw)(unsigned char full);
};

void RunDistanceWorkout(int32_t metres, const MonitorCommandHooks& hooks);
void RunTimeWorkout(int32_t minutes, const MonitorCommandHooks& hooks);
void RunStoredWorkout(int32_t number, const MonitorCommandHooks& hooks);
void RunClockCommand(const MonitorCommandHooks& hooks);

// The program's own hooks: real waiting, the system clock and the main window's display.
MonitorCommandHooks WindowsMonitorHooks();
