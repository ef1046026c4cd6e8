// The entry window.
#include "log/entry_window.h"

#include <stdlib.h>

StrokeHistory* pendingEntryHistory;

void RegisterEntryWndClass(HINSTANCE) {}

LRESULT CALLBACK EntryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateEntryWindow(HWND, StrokeHistory* loaded, int, int, int, int) {
    free(loaded);
    return NULL;
}
