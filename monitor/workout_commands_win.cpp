// The four monitor commands of the menu: the shared sequences with real waiting, the
// system clock and the main window's live display.
#include "monitor/workout_commands.h"

#include <windows.h>

#include "app/main_window.h"

static void WaitMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

static time_t CurrentTime() {
    return time(nullptr);
}

static const MonitorCommandHooks windowsHooks = {WaitMilliseconds, CurrentTime, RedrawLiveDisplay};

MonitorCommandHooks WindowsMonitorHooks() {
    return windowsHooks;
}

void ProgramDistanceWorkout(int32_t metres) {
    RunDistanceWorkout(metres, windowsHooks);
}

void ProgramTimeWorkout(int32_t minutes) {
    RunTimeWorkout(minutes, windowsHooks);
}

void ProgramStoredWorkout(int32_t number) {
    RunStoredWorkout(number, windowsHooks);
}

void SetMonitorClock() {
    RunClockCommand(windowsHooks);
}
