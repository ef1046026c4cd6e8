// The entry window: a stored workout drawn by the live view's panel, with Print and Close
// on a right-click menu. Each window owns the record it shows.
#include "log/entry_window.h"

#include <stdio.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "display/draw_panel.h"
#include "export/export_results.h"
#include "log/log_notices.h"
#include "log/log_window.h"
#include "log/row_file_loader.h"
#include "print/print_results.h"
#include "resources/resource.h"

StrokeHistory* pendingEntryHistory;

namespace {

const char ENTRY_CLASS_NAME[] = "EntryWndClass";
const int ENTRY_TITLE_SIZE = 64;

HINSTANCE entryInstance;
// The record the latest entry window took at its creation, so that a creation that fails
// after that point does not free the record a second time.
StrokeHistory* takenHistory;

void InvalidateLogList() {
    if (listWindow != NULL) InvalidateRect(listWindow, NULL, TRUE);
}

void ShowNotValidRowFile(const char* path) {
    char text[BASE_DIRECTORY_SIZE + 128];
    snprintf(text, sizeof text, "%s was not a valid row file", path);
    MessageBoxA(mainWindow, text, "Error", MB_ICONWARNING | MB_OK);
}

// This file comes with every program that shows the log (the log window creates entry
// windows), so it is where the window-free log code gets its way to the screen.
[[maybe_unused]] const bool noticesSet =
    (logCatalogRescanned = InvalidateLogList, rowFileNotValid = ShowNotValidRowFile, true);

StrokeHistory* HistoryOf(HWND window) {
    return reinterpret_cast<StrokeHistory*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void OnCreate(HWND window) {
    StrokeHistory* history = pendingEntryHistory;
    // The window is the record's only owner from now on.
    pendingEntryHistory = NULL;
    takenHistory = history;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(history));
    char date[ENTRY_DATE_SIZE] = "";
    if (history != NULL) FormatEntryDate(date, history->startTime);
    char title[ENTRY_TITLE_SIZE];
    snprintf(title, sizeof title, "Rowdata: %s", date);
    SetWindowTextA(window, title);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const StrokeHistory* history = HistoryOf(window);
    if (history != NULL) DrawPanel(dc, history, 1);
    EndPaint(window, &paint);
}

void OnRightButtonDown(HWND window, LPARAM lParam) {
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ClientToScreen(window, &point);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_LOG_PRINT, "Print");
    AppendMenuA(menu, MF_STRING, IDM_LOG_EXPORT, "Export...");
    AppendMenuA(menu, MF_STRING, IDM_EXIT, "Close");
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, NULL);
    DestroyMenu(menu);
}

bool OnCommand(HWND window, WORD command) {
    switch (command) {
    case IDM_EXIT: DestroyWindow(window); return true;
    case IDM_LOG_PRINT: PrintResults(window, HistoryOf(window)); return true;
    case IDM_LOG_EXPORT: ExportShownResult(window, HistoryOf(window)); return true;
    default: return false;
    }
}

void OnDestroy(HWND window) {
    free(HistoryOf(window));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    // The list pane is a child; the foreground belongs to its frame.
    if (GetActiveWindow() == NULL && listWindow != NULL)
        SetForegroundWindow(GetAncestor(listWindow, GA_ROOT));
}

}  // namespace

void RegisterEntryWndClass(HINSTANCE instance) {
    entryInstance = instance;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = EntryWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = ENTRY_CLASS_NAME;
    RegisterClassExA(&windowClass);  // fails harmlessly when the log opens again
}

LRESULT CALLBACK EntryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); break;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_SIZE: InvalidateRect(window, NULL, TRUE); return 0;
    case WM_RBUTTONDOWN: OnRightButtonDown(window, lParam); return 0;
    case WM_COMMAND:
        if (OnCommand(window, LOWORD(wParam))) return 0;
        break;
    case WM_DESTROY: OnDestroy(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateEntryWindow(HWND owner, StrokeHistory* loaded, int x, int y, int width, int height) {
    pendingEntryHistory = loaded;
    takenHistory = NULL;
    HWND window = CreateWindowExA(0, ENTRY_CLASS_NAME, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                  width, height, owner, NULL, entryInstance, NULL);
    pendingEntryHistory = NULL;
    if (window == NULL && takenHistory != loaded) free(loaded);
    return window;
}
