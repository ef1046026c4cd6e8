// The modeless "Printing" dialog with the page being printed and its Cancel, and the abort
// procedure that keeps the program's messages flowing while the spooler works.
#pragma once
#include <windows.h>

// 1 while the job goes on; 0 once the user pressed Cancel in the "Printing" dialog.
extern int printContinue;
// The "Printing" dialog, or NULL.
extern HWND printingDialog;
// The window that had the keyboard focus when the "Printing" dialog opened.
extern HWND focusBeforePrint;

// Creates the dialog (owned by the main window, which it disables) showing the first page.
void OpenPrintingDialog(int page);
// Shows "Printing Page %i" and paints the dialog at once; nothing after a cancel.
void ShowPrintingPage(int page);

BOOL CALLBACK PrintAbortProc(HDC printer, int error);
INT_PTR CALLBACK PrintingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
