// Stand-ins for the operations of a monitor library that could not be loaded: each fails
// with MISSING_LIBRARY_STATUS and its error text names the missing file, so the status line
// tells the rower what is wrong while the rest of Tamsi works.
#pragma once
#include "monitor/monitor_api.h"

const int16_t MISSING_LIBRARY_STATUS = -9999;

void UseMissingDdiLibrary(MonitorApi* api);
void UseMissingCsafeLibrary(MonitorApi* api);
