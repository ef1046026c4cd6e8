// The rowing log window; the list pane comes with the log list issue.
#include "log/log_window.h"

HWND listWindow;

HWND OpenRowingLog() { return NULL; }
