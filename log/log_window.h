// The rowing log window and its list pane.
#pragma once
#include <windows.h>

// The list pane; NULL while the log window is closed.
extern HWND listWindow;

// Opens the rowing log window (Tools, Rowing Log) and returns its list pane.
HWND OpenRowingLog();
