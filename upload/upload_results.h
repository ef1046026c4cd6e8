// Posting results to the online ranking log.
#pragma once
#include "log/log_catalog.h"

// Sends the listed results and reports every failure itself.
void UploadResults(LogEntry* const* list, int count);
