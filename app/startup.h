// Start-up in its fixed order, and the program's one message loop.
#pragma once
#include <windows.h>

// Everything from loading the titles to arming the poll timer. False when another Tamsi
// already runs (it is brought to the front instead) or the main window could not be created;
// no monitor library is called then.
bool StartTamsi(HINSTANCE instance, int showState);

// Dispatches messages, accelerators first, until the quit message; returns its exit code.
int RunMessageLoop();
