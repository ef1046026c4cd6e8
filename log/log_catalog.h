// The log catalog: one entry per row file in the data folder, rebuilt from disk by a scan.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct LogEntry {
    int32_t startTime;  // seconds since 1970; the row file's name
    int32_t workTime;   // hundredths of a second, from the file's last line
    int32_t calories;
    int32_t pace500;  // hundredths of a second per 500 m
    float distance;   // metres
};

const int MAX_LOG_ENTRIES = 5000;
// How much of a row file's end the scan reads; every data line is far shorter.
const int LOG_TAIL_SIZE = 100;

// Slots 1 to logEntryCount are in use; slot 0 never is.
extern LogEntry logEntries[MAX_LOG_ENTRIES + 1];
extern int32_t logEntryCount;

// Empties the catalog and fills it again from the data folder; repaints an open log list.
void ScanLogCatalog();

// True for the names this program gives row files, a decimal number without sign or
// leading zero followed by ".csv", with that number in startTime. Every later action
// rebuilds the name from the number, so any other name would lead it to another file.
bool ParseRowFileName(const char* name, int32_t* startTime);

// Sets the entry's totals from the tail of a row file as a text-mode read delivers it
// (up to LOG_TAIL_SIZE characters, not NUL-terminated): the line before the final
// character. Totals stay 0 where the tail holds no such line or a column does not convert.
void ParseLogTail(const char* tail, size_t length, LogEntry* entry);

// Hundredths of a second per 500 m; 0 where the quotient is no time (a distance of 0).
int32_t Pace500(int32_t workTime, float distance);
