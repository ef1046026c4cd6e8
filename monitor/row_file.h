// The row file: one workout's comma-separated record in the data folder beside the
// program, named after the second it was created. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

// Where new row files take their number from; tests replace it.
typedef int32_t (*RowFileClock)();
extern RowFileClock rowFileClock;

// The calendar time in seconds since 1970: the default clock.
int32_t CalendarSeconds();

// Writes "<base>\data\<seconds>.csv" into buffer; false when it does not fit.
bool FormatRowFilePath(char* buffer, size_t size, int32_t seconds);

// Makes the data folder if it is missing, then creates a new row file named after the
// clock's second, or the next second whose file does not exist yet (an existing file is
// never replaced), and writes the header of the active language. Returns the open text
// stream, or NULL when no file could be created. fileSeconds, when given, receives the
// number in the file's name.
FILE* CreateRowFile(int32_t* fileSeconds);

// Appends one stroke or closing line and flushes it, so a crash loses no stroke.
void WriteRowLine(FILE* file, int32_t time, double distance, double pace, int32_t power,
                  int32_t calories, int32_t strokeRate, int32_t heartRate);
