// Planning an upload and judging, from what was accepted, which results now count as sent.
#include "upload/upload_plan.h"

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>

#include "app/app_state.h"

static int CompareStartTimes(const void* a, const void* b) {
    const int32_t x = static_cast<const LogEntry*>(a)->startTime;
    const int32_t y = static_cast<const LogEntry*>(b)->startTime;
    return (x > y) - (x < y);
}

static int CompareTimes(const void* a, const void* b) {
    const int32_t x = *static_cast<const int32_t*>(a), y = *static_cast<const int32_t*>(b);
    return (x > y) - (x < y);
}

int PlanUpload(LogEntry* const* list, int count, int32_t recordingTime, LogEntry* planned,
               bool* recordingLeft) {
    *recordingLeft = false;
    int kept = 0;
    for (int i = 0; i < count && i < MAX_LOG_ENTRIES; ++i) {
        if (recordingTime != 0 && list[i]->startTime == recordingTime) {
            *recordingLeft = true;
            continue;
        }
        planned[kept++] = *list[i];
    }
    qsort(planned, (size_t)kept, sizeof *planned, CompareStartTimes);
    return kept;
}

int32_t AdvanceLastUploadTime(int32_t last, const int32_t* known, int knownCount,
                              const int32_t* accepted, int acceptedCount) {
    int32_t result = last;
    int k = 0;
    for (int a = 0; a < acceptedCount; ++a) {
        if (accepted[a] <= result) continue;  // older than the last upload, or accepted twice
        while (k < knownCount && known[k] <= result) ++k;
        // A result between the last one counted and this one was not accepted.
        if (k < knownCount && known[k] < accepted[a]) break;
        result = accepted[a];
    }
    return result;
}

int ListRowFileTimesAfter(int32_t last, int32_t* times, int capacity) {
    char folder[BASE_DIRECTORY_SIZE + 8];
    snprintf(folder, sizeof folder, "%s" PATH_SEPARATOR "data", baseDirectory);
    DIR* directory = opendir(folder);
    if (directory == NULL) return 0;
    int count = 0;
    while (struct dirent* item = readdir(directory)) {
        int32_t startTime;
        if (count == capacity) break;
        if (ParseRowFileName(item->d_name, &startTime) && startTime > last)
            times[count++] = startTime;
    }
    closedir(directory);
    qsort(times, (size_t)count, sizeof *times, CompareTimes);
    return count;
}
