// The rowing log window; the log itself comes with the catalog and list view.
#include "log/log_window.h"

void OpenRowingLog() {}
