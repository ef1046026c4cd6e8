// Flags shared by the polling tick and the monitor commands.
#include "monitor/poll_state.h"

bool monitorBusy = false;
bool newWorkoutPending = false;
