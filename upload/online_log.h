// Sending results to the online ranking log.
#pragma once
#include <stdint.h>

#include "log/log_catalog.h"

// Tools, Update Online Log: sends every result recorded since the last successful upload.
void UpdateOnlineLog();

// Puts the address of every catalogued entry whose startTime is later than lastUploadTime
// into list (room for MAX_LOG_ENTRIES), in slot order, and returns how many there are.
int CollectNewResults(LogEntry** list, int32_t lastUploadTime);
