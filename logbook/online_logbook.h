// The online logbook from the rest of Tamsi: its dialog, the log's "Send to Logbook", and
// each finished workout when the rower asked for that.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "log/log_catalog.h"

// Tools, "Online Logbook...": who is connected, Connect, Disconnect, "Send each finished
// workout".
void OpenOnlineLogbook(HWND owner);
// Sends the listed results not yet in the logbook, on a thread of their own; reports every
// failure itself. Does nothing while another logbook job runs.
void SendToLogbook(LogEntry* const* list, int count);
// The recorder closed this workout's row file: sent when the rower asked for each one.
void SendFinishedWorkout(int32_t startTime);
// Whether a Connect or a Send runs.
bool LogbookRunning();
// Ends a running job within a few seconds, keeping what the logbook was seen to accept.
void StopLogbook();
