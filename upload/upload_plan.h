// Which results one upload sends, in which order, and how far lastUploadTime moves after it.
#pragma once
#include <stdint.h>

#include "log/log_catalog.h"

// Copies the listed entries into planned (room for MAX_LOG_ENTRIES), oldest first, so that a
// failure part-way leaves only results newer than every accepted one. The entry whose start
// time is recordingTime (when not 0) is left out: its row file is still being written.
// Returns how many are planned; recordingLeft tells whether one was left out.
int PlanUpload(LogEntry* const* list, int count, int32_t recordingTime, LogEntry* planned,
               bool* recordingLeft);

// lastUploadTime after an upload that began with it at last: the start time of the newest
// result R such that every known result newer than last, up to R, was accepted; last when
// there is none. Both lists are in ascending order; accepted results count as known.
int32_t AdvanceLastUploadTime(int32_t last, const int32_t* known, int knownCount,
                              const int32_t* accepted, int acceptedCount);

// The start times after last of the row files in the data folder, at most capacity of them,
// in ascending order.
int ListRowFileTimesAfter(int32_t last, int32_t* times, int capacity);
