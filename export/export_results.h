// Exporting stored workouts as FIT or TCX files for training programs, from the rowing log's
// menu and an entry window's menu ("Export...").
#pragma once
#include <windows.h>

#include "monitor/stroke_history.h"

// The log's selected results: one through a Save As dialog, several as FIT files into a
// folder chosen in a folder dialog. Nothing selected: nothing happens.
void ExportSelectedResults(HWND pane);

// The workout an entry window shows (record NULL: nothing), through a Save As dialog. The
// row file is read again, so the file holds every line the recorder wrote.
void ExportShownResult(HWND window, const StrokeHistory* record);
