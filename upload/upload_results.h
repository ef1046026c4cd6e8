// Posting results to the online ranking log.
#pragma once
#include "log/log_catalog.h"

// Starts sending the listed results on a thread of their own and reports every failure
// itself. Does nothing while another upload runs.
void UploadResults(LogEntry* const* list, int count);
// Whether an upload runs: from its command until its last message has been shown.
bool UploadRunning();
// Ends a running upload within a few seconds, keeping what the server was seen to accept.
// For shut-down.
void StopUpload();
