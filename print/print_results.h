// Printing results, one workout a page.
#pragma once
#include <windows.h>

#include "monitor/stroke_history.h"

// Prints the given loaded record, or (record NULL) the rowing log's selection in display
// order. The owner window owns the question and the print dialog.
void PrintResults(HWND owner, const StrokeHistory* record);

// The device-mode block while the print dialog shows it, else NULL.
extern HGLOBAL printDeviceMode;
