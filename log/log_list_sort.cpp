// The log's quicksort: middle row as pivot, moved to the front; rows equal to the pivot on
// both compare columns go to its right, so the order of full ties is fixed by these steps.
#include "log/log_list_sort.h"

#include "log/log_catalog.h"
#include "log/log_list_state.h"

int CompareValues(double a, double b) {
    if (a < b) return 1;
    if (a > b) return 3;
    return 2;
}

static double FieldValue(int column, int32_t slot) {
    const LogEntry& entry = logEntries[slot];
    switch (column) {
    case 0: return (double)entry.startTime;
    case 1: return (double)entry.distance;
    case 2: return (double)entry.workTime;
    case 3: return (double)entry.pace500;
    default: return (double)entry.calories;
    }
}

int CompareEntries(int column, int32_t slotA, int32_t slotB) {
    if (column < 0 || column > 4) return 2;
    return CompareValues(FieldValue(column, slotA), FieldValue(column, slotB));
}

void SwapRows(int32_t* order, int i, int j) {
    int32_t kept = order[i];
    order[i] = order[j];
    order[j] = kept;
}

// Partitions rows low to high around the middle row and returns where the pivot lands.
static int Partition(int32_t* order, int low, int high) {
    SwapRows(order, low, (low + high) / 2);
    int column = logList.sortKey % 5;
    if (column != logList.primaryColumn) {
        logList.secondaryColumn = logList.primaryColumn;
        logList.primaryColumn = column;
    }
    int wanted = logList.sortKey >= 5 ? 3 : 1;
    int last = low;
    for (int i = low + 1; i <= high; i++) {
        int r = CompareEntries(logList.primaryColumn, order[i], order[low]);
        if (r == 2) r = CompareEntries(logList.secondaryColumn, order[i], order[low]);
        if (r == wanted) SwapRows(order, ++last, i);
    }
    SwapRows(order, low, last);
    return last;
}

void SortDisplayOrder(int32_t* order, int low, int high) {
    // The two parts are disjoint, so sorting them in either order gives the same rows.
    // Recursing into the smaller part and looping on the larger bounds the depth by
    // log2 of the rows: 5000 rows tied on both columns would otherwise nest 5000 calls.
    while (low < high) {
        int last = Partition(order, low, high);
        if (last - low < high - last) {
            SortDisplayOrder(order, low, last - 1);
            low = last + 1;
        } else {
            SortDisplayOrder(order, last + 1, high);
            high = last - 1;
        }
    }
}
