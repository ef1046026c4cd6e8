// The Workout menu's command table: distances, times and the fifteen stored workouts.
#include "app/workout_menu.h"

#include "resources/resource.h"

struct DistanceCommand {
    int id;
    int32_t metres;
};

static const DistanceCommand DISTANCE_COMMANDS[] = {
    {IDM_DISTANCE_250, 250},     {IDM_DISTANCE_500, 500},     {IDM_DISTANCE_1000, 1000},
    {IDM_DISTANCE_2000, 2000},   {IDM_DISTANCE_3000, 3000},   {IDM_DISTANCE_4000, 4000},
    {IDM_DISTANCE_5000, 5000},   {IDM_DISTANCE_6000, 6000},   {IDM_DISTANCE_10000, 10000},
    {IDM_DISTANCE_21097, 21097}, {IDM_DISTANCE_42195, 42195},
};

bool RunWorkoutMenuCommand(int id, const MonitorCommandHooks& hooks) {
    for (const DistanceCommand& command : DISTANCE_COMMANDS) {
        if (command.id == id) {
            RunDistanceWorkout(command.metres, hooks);
            return true;
        }
    }
    // Standard #1-#5, Custom #1-#5 and Favorites #1-#5 are the stored workouts 1 to 15.
    if (id >= IDM_STANDARD_FIRST && id <= IDM_FAVORITES_LAST) {
        RunStoredWorkout(id - IDM_STANDARD_FIRST + 1, hooks);
        return true;
    }
    if (id == IDM_TIME_30 || id == IDM_TIME_60) {
        RunTimeWorkout(id == IDM_TIME_30 ? 30 : 60, hooks);
        return true;
    }
    return false;
}
