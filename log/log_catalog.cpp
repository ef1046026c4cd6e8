// The log catalog's table and its scan of the data folder.
#include "log/log_catalog.h"

LogEntry logEntries[MAX_LOG_ENTRIES + 1];
int32_t logEntryCount;

void ScanLogCatalog() { logEntryCount = 0; }
