// The Preferences dialog (template 130): weight class, rower type, graph scales.
#pragma once
#include <windows.h>

INT_PTR CALLBACK PreferencesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Seams the Windows tests replace: the full redraw after OK, and the box that refuses a
// graph scale whose maximum is not above its minimum.
typedef int(WINAPI* PreferencesMessageBoxFn)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
extern void (*preferencesRedraw)(unsigned char full);
extern PreferencesMessageBoxFn preferencesMessageBox;
