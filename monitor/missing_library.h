// Stand-ins for the operations of a monitor library that could not be loaded: each fails
// with MISSING_LIBRARY_STATUS and its error text names the missing file, so the status line
// tells the rower what is wrong while the rest of Tamsi works.
#pragma once
#include "monitor/monitor_api.h"

const int16_t MISSING_LIBRARY_STATUS = -9999;

// Puts stand-ins in place of the missing libraries' operations. Without the driver library
// no monitor is ever discovered, so the CSAFE operations are replaced too: every poll then
// names the missing file instead of a present library's "not initialised" text.
void UseMissingLibraries(MonitorApi* api, bool ddiMissing, bool csafeMissing);
