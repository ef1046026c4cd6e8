// The "Online Logbook" dialog, and what it asks of the logbook's user-interface side.
#pragma once
#include <windows.h>

// The open dialog, or NULL.
HWND LogbookDialog();
// Shows who is connected (or "Not connected") and which buttons work now.
void ShowLogbookState();

// Provided by online_logbook_win.cpp.
// Opens the listener and the browser and waits on a thread; false when it did not start.
bool StartLogbookConnect();
void CancelLogbookConnect();
// Whether a Connect waits for the browser or the logbook.
bool LogbookConnecting();
// Forgets the permission: the token file is deleted.
void DisconnectLogbook();
