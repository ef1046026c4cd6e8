// The main menu's command table.
#pragma once
#include <windows.h>

// Runs the command with this id; false when no command has it (the caller then leaves
// the message to the system's default processing).
bool RunMenuCommand(HWND window, int id);
