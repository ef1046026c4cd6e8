// The Workout menu: which workout each of its command ids programs into the monitor.
#pragma once
#include "monitor/workout_commands.h"

// Programs the workout of a Workout menu item with these hooks; false (and nothing sent)
// when the id is not a Workout menu item.
bool RunWorkoutMenuCommand(int id, const MonitorCommandHooks& hooks);
