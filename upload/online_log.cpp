// Choosing the results that are not yet in the online log.
#include "upload/online_log.h"

int CollectNewResults(LogEntry** list, int32_t lastUploadTime, int32_t recordingTime) {
    const int count = logEntryCount < 0                 ? 0
                      : logEntryCount > MAX_LOG_ENTRIES ? MAX_LOG_ENTRIES
                                                        : logEntryCount;
    int found = 0;
    for (int slot = 1; slot <= count; ++slot) {
        const int32_t startTime = logEntries[slot].startTime;
        if (recordingTime != 0 && startTime == recordingTime) continue;
        // An entry recorded in the very second of the last upload was already sent.
        if (startTime > lastUploadTime) list[found++] = &logEntries[slot];
    }
    return found;
}
