// The "Please Wait" dialog shown while results are sent, with its progress bar.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "resources/resource.h"
#include "upload/upload_win.h"

INT_PTR CALLBACK PleaseWaitDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

HWND OpenPleaseWait(int steps) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    HWND dialog = CreateDialogParamA(moduleInstance, MAKEINTRESOURCEA(IDD_PLEASE_WAIT), mainWindow,
                                     PleaseWaitDlgProc, 0);
    if (dialog == NULL) return NULL;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    SendDlgItemMessageA(dialog, IDC_UPLOAD_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, steps));
    SendDlgItemMessageA(dialog, IDC_UPLOAD_PROGRESS, PBM_SETSTEP, 1, 0);
    return dialog;
}
