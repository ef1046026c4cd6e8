// The rowing log window.
#pragma once

// Opens the rowing log window (Tools, Rowing Log).
void OpenRowingLog();
