// The warning box of a failed settings save, replaceable so that tests can see it.
#pragma once
#include <windows.h>

// MessageBoxA unless a test puts its own function here.
extern int(WINAPI* settingsMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
