// Flags the monitor commands share with the polling tick.
#pragma once

// Set while a monitor command talks to the monitor: a tick then does nothing.
extern bool monitorBusy;
// The current workout is over; the next tick that sees a change starts a new one.
extern bool newWorkoutPending;
