// The "Online Logbook" dialog: modal over the main window; a Connect runs on while it is open
// and its button cancels it.
#include "logbook/logbook_dialog_win.h"

#include <string>

#include "app/main_window.h"
#include "logbook/logbook_store_win.h"
#include "logbook/online_logbook.h"
#include "resources/resource.h"
#include "settings/settings.h"

static HWND dialog;

HWND LogbookDialog() {
    return dialog;
}

void ShowLogbookState() {
    if (dialog == NULL) return;
    std::string rower, token;
    const bool connected = LoadLogbookToken(&rower, &token);
    const bool running = LogbookConnecting();
    const std::string shown = running ? "Waiting for the browser..." :
                              connected ? "Connected as " + rower : "Not connected";
    SetDlgItemTextA(dialog, IDC_LOGBOOK_ROWER, shown.c_str());
    SetDlgItemTextA(dialog, IDC_LOGBOOK_CONNECT, running ? "Cancel" : "Connect");
    EnableWindow(GetDlgItem(dialog, IDC_LOGBOOK_DISCONNECT), connected && !running);
}

static void OnCommand(int id) {
    switch (id) {
    case IDC_LOGBOOK_CONNECT:
        if (LogbookConnecting()) CancelLogbookConnect();
        else StartLogbookConnect();
        break;
    case IDC_LOGBOOK_DISCONNECT: DisconnectLogbook(); break;
    case IDC_LOGBOOK_AUTO_SEND:
        settings.logbookAutoSend = IsDlgButtonChecked(dialog, IDC_LOGBOOK_AUTO_SEND) == BST_CHECKED;
        break;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return;
    }
    ShowLogbookState();
}

static INT_PTR CALLBACK LogbookDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        dialog = window;
        CheckDlgButton(window, IDC_LOGBOOK_AUTO_SEND,
                       settings.logbookAutoSend == 1 ? BST_CHECKED : BST_UNCHECKED);
        ShowLogbookState();
        return TRUE;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
    case WM_DESTROY: dialog = NULL; return FALSE;
    }
    return FALSE;
}

void OpenOnlineLogbook(HWND owner) {
    if (dialog) return;
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_ONLINE_LOGBOOK), owner, LogbookDlgProc, 0);
}
