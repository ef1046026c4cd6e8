// Hundredths of a second as "%i:%02i.%02i", or "%i:%02i:%02i.%02i" from one hour on.
#pragma once
#include <stdint.h>

// Returns a shared static buffer that the next call overwrites.
const char* FormatTime(int32_t hundredths);
