// The "Printing" dialog and the abort procedure.
#include "print/printing_dialog.h"

#include "app/main_window.h"
#include "print/print_selection.h"
#include "resources/resource.h"

int printContinue;
HWND printingDialog;
HWND focusBeforePrint;

void OpenPrintingDialog(int page) {
    printingDialog = CreateDialogParamA(moduleInstance, MAKEINTRESOURCEA(IDD_PRINTING), mainWindow,
                                        PrintingDlgProc, 0);
    ShowPrintingPage(page);
}

void ShowPrintingPage(int page) {
    if (printingDialog == NULL) return;
    char text[PRINT_TEXT_SIZE];
    FormatPrintingPage(text, sizeof text, page);
    SetDlgItemTextA(printingDialog, IDC_PRINTING_PAGE, text);
    UpdateWindow(printingDialog);
}

// The spooler calls this between its steps: every waiting message is served, so the poll
// timer, painting and the log window go on while a long job spools.
BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        // A quit taken here belongs to the main loop: post it again for after the job.
        if (message.message == WM_QUIT) {
            PostQuitMessage((int)message.wParam);
            break;
        }
        if (printingDialog != NULL && IsDialogMessageA(printingDialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return printContinue;
}

static BOOL OnInitPrintingDialog() {
    focusBeforePrint = GetFocus();
    EnableWindow(mainWindow, FALSE);
    return FALSE;  // the focus stays where it was
}

static BOOL OnPrintingCancel(HWND dialog) {
    printContinue = 0;
    DestroyWindow(dialog);
    printingDialog = NULL;
    return TRUE;
}

static BOOL OnDestroyPrintingDialog() {
    EnableWindow(mainWindow, TRUE);
    SetFocus(focusBeforePrint);
    return FALSE;
}

INT_PTR CALLBACK PrintingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitPrintingDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) return OnPrintingCancel(dialog);
        return FALSE;
    case WM_DESTROY: return OnDestroyPrintingDialog();
    }
    return FALSE;
}
