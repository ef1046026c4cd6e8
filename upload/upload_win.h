// The upload's Windows side: its message box and time limits (replaceable so that tests can
// answer and shorten them) and the "Please Wait" dialog.
#pragma once
#include <windows.h>

// MessageBoxA unless a test puts its own function here.
extern int(WINAPI* uploadMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// How long the upload waits: for a connection, a send or the next byte of a reply (idle),
// and for a whole reply. Each upload takes them as they are when it starts.
struct UploadTimeOuts {
    DWORD idleMs;
    DWORD replyMs;
};
extern UploadTimeOuts uploadTimeOuts;

// The dialog procedure of the "Please Wait" dialog: it handles no message.
INT_PTR CALLBACK PleaseWaitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the "Please Wait" dialog over the main window, painted at once, with its progress bar
// set to 0 to steps. Returns the dialog, or NULL when it could not be made.
HWND OpenPleaseWait(int steps);
