// The one link to the monitor: opened at start-up, its errors turned into the status line.
#pragma once
#include <stdint.h>

// Initialises the driver, discovers PM3 and PM4 monitors and starts the CSAFE protocol.
// Returns the failing status, or 0.
int16_t OpenMonitorSession();

// Puts "Error: <library text>" for a CSAFE status on the status line.
void ShowMonitorError(int16_t status);

// Puts "Error: <text>" on the status line for an answer that does not echo the poll's
// commands: cut short, or garbled on the way.
void ShowBadMonitorAnswer();
