// A row file as the logbook's result JSON: the totals the rowing log shows, and one stroke
// object per data line. Window-free.
#pragma once
#include <stdint.h>

#include <string>

#include "export/row_workout.h"

// "YYYY-MM-DD HH:MM:SS" of the local time broken down in fields (as localtime gives them).
std::string FormatLogbookDate(int year, int month, int day, int hour, int minute, int second);

// The JSON body that creates the result: date is FormatLogbookDate's local start,
// weightClass 'H' or 'L'.
std::string FormatLogbookResult(const RowWorkout& workout, const std::string& date,
                                char weightClass);
