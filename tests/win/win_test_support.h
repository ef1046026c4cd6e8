// Helpers for Windows tests that run Tamsi's own windows inside the test process.
#pragma once
#include <windows.h>

#include <string>

// Dispatches this thread's messages for about ms milliseconds (timers included).
void PumpMessages(DWORD ms);
// The test program's folder, which start-up takes as the base directory.
std::string ProgramFolder();
// Removes the settings file a previous test left in the program folder.
void RemoveSettingsFile();
// Ends the main window as the system menu's Close would and drains the quit message.
void CloseMainWindow();
