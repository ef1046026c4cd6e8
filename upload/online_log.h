// Sending results to the online ranking log.
#pragma once
#include <stdint.h>

#include "log/log_catalog.h"

// Tools, Update Online Log: sends every result recorded since the last successful upload.
void UpdateOnlineLog();

// Puts the address of every catalogued entry whose startTime is later than lastUploadTime
// into list (room for MAX_LOG_ENTRIES), in slot order, and returns how many there are. The
// entry whose startTime is recordingTime (when not 0) waits for the next time: its row file
// is still being written.
int CollectNewResults(LogEntry** list, int32_t lastUploadTime, int32_t recordingTime);
