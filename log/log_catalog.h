// The log catalog: one entry per row file in the data folder, rebuilt from disk by a scan.
#pragma once
#include <stdint.h>

struct LogEntry {
    int32_t startTime;  // seconds since 1970; the row file's name
    int32_t workTime;   // hundredths of a second, from the file's last line
    int32_t calories;
    int32_t pace500;  // hundredths of a second per 500 m
    float distance;   // metres
};

const int MAX_LOG_ENTRIES = 5000;

// Slots 1 to logEntryCount are in use; slot 0 never is.
extern LogEntry logEntries[MAX_LOG_ENTRIES + 1];
extern int32_t logEntryCount;

// Empties the catalog and fills it again from the data folder; repaints an open log list.
void ScanLogCatalog();
