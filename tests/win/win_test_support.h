// Helpers for Windows tests that run Tamsi's own windows inside the test process.
#pragma once
#include <windows.h>

#include <string>

// Dispatches this thread's messages for about ms milliseconds (timers included).
void PumpMessages(DWORD ms);

// The test program's folder, which start-up takes as the base directory.
std::string ProgramFolder();

// Removes the settings file and row files a previous test left in the program folder.
void RemoveSettingsFile();

// The text of a menu item, by position.
std::string MenuText(HMENU menu, int position);
bool IsChecked(HMENU menu, int id);
bool IsRadioChecked(HMENU menu, int id);

// Ends the main window as the system menu's Close would and drains the quit message.
void CloseMainWindow();
