// Printing results, one workout a page.
#pragma once
#include <windows.h>

#include "monitor/stroke_history.h"

// Prints the given loaded record, or (record NULL) the rowing log's selection in display
// order. The owner window owns the question and the print dialog.
void PrintResults(HWND owner, const StrokeHistory* record);

// The device-mode block while the print dialog shows it, else NULL.
extern HGLOBAL printDeviceMode;

// The spooler's document calls; a seam for tests, which cannot make a printer refuse a job.
struct PrintSpoolerCalls {
    int(WINAPI* startDoc)(HDC printer, const DOCINFOA* document);
    int(WINAPI* endDoc)(HDC printer);
    int(WINAPI* abortDoc)(HDC printer);
};
extern PrintSpoolerCalls printSpooler;
