// Loading a whole row file into a StrokeHistory, and the date text of a log entry.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "monitor/stroke_history.h"

const int ENTRY_DATE_SIZE = 32;

// Loads "<base>\data\<startTime>.csv" into the record whose startTime the caller has set.
// False when the file is missing (silently) or not a valid row file (after a message).
bool LoadRowFile(StrokeHistory* history);

// The local date and time of startTime as "%d %b %Y  %I:%M %p" in a 32-character buffer.
void FormatEntryDate(char* buffer, int32_t startTime);
