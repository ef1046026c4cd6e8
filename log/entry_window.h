// The entry window: one stored workout drawn in its summary layout with its graphs.
#pragma once
#include <windows.h>

#include "monitor/stroke_history.h"

// The loaded record handed to the entry window being created; read once, at creation.
extern StrokeHistory* pendingEntryHistory;

void RegisterEntryWndClass(HINSTANCE instance);
LRESULT CALLBACK EntryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates an entry window that takes over the loaded record; NULL (record freed) on failure.
// The record comes from malloc or calloc: the window frees it when it is destroyed.
HWND CreateEntryWindow(HWND owner, StrokeHistory* loaded, int x, int y, int width, int height);
