// Sorting the rowing log's rows by the clicked column, with the previous column as tie-break.
#pragma once
#include <stdint.h>

// 1 when a < b, 3 when a > b, 2 otherwise (equal, or not comparable).
int CompareValues(double a, double b);

// Compares the column's field (0 Date, 1 Distance, 2 Time, 3 Pace, 4 Calories) of two
// catalog slots; a column outside 0 to 4 yields 2.
int CompareEntries(int column, int32_t slotA, int32_t slotB);

void SwapRows(int32_t* order, int i, int j);

// Sorts rows low to high (both included) of order by logList.sortKey, moving the previous
// sort column to the second compare column when the sort column changes.
void SortDisplayOrder(int32_t* order, int low, int high);
