// The upload's Windows side: its message box (replaceable so that tests can answer it) and
// the "Please Wait" dialog.
#pragma once
#include <windows.h>

// MessageBoxA unless a test puts its own function here.
extern int(WINAPI* uploadMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// The dialog procedure of the "Please Wait" dialog: it handles no message.
INT_PTR CALLBACK PleaseWaitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the "Please Wait" dialog over the main window, painted at once, with its progress bar
// set to 0 to steps. Returns the dialog, or NULL when it could not be made.
HWND OpenPleaseWait(int steps);
// Advances the progress bar one step and paints it at once.
void StepPleaseWait(HWND dialog);
