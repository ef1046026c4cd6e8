// The rowing log window: the frame, placed from the saved rectangle, holding the list pane.
#include "log/log_window.h"

#include "app/main_window.h"
#include "app/restored_frame.h"
#include "app/window_placement.h"
#include "log/entry_window.h"
#include "log/log_catalog.h"
#include "log/log_list_pane.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/text_table.h"

HWND listWindow;

// A workout recorded, or one that ends, while the log is open is listed at once.
static void RescanOpenLog() {
    if (listWindow != NULL) SendMessageA(listWindow, WM_LOG_RESCAN, 0, 0);
}

static LRESULT CALLBACK LogFrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        if (listWindow) SetFocus(listWindow);
        return 0;
    case WM_SIZE:
        if (listWindow) MoveWindow(listWindow, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY: {
        RECT rect;
        if (RestoredFrame(frame, &rect))
            settings.logWindowRect = {rect.left, rect.top, rect.right, rect.bottom};
        listWindow = NULL;
        rowFileListener = NULL;
        if (mainWindow) SetForegroundWindow(mainWindow);
        return 0;
    }
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

// A second registration (every opening after the first) fails, and the class stays usable.
static void RegisterLogClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                             bool icon, bool cursor) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    if (icon) {
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
        windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
    }
    if (cursor) windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

static HWND CreateLogFrame(HINSTANCE instance) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    WindowPlacement place =
        PlaceInWorkArea(settings.logWindowRect, {area.left, area.top, area.right, area.bottom});
    return CreateWindowExA(0, "ListWndClass", textTable[TEXT_LOG_TITLE],
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left, place.top, place.width,
                           place.height, mainWindow, NULL, instance, NULL);
}

HWND OpenRowingLog() {
    // One list state serves one log window: a second command brings the open one forward
    // and lists what was recorded meanwhile.
    if (listWindow && IsWindow(listWindow)) {
        HWND frame = GetParent(listWindow);
        if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
        SetForegroundWindow(frame);
        SetFocus(listWindow);
        RescanOpenLog();
        return listWindow;
    }
    HINSTANCE instance = moduleInstance ? moduleInstance : GetModuleHandleA(NULL);
    RegisterLogClass(instance, "ListWndClass", LogFrameWndProc, 0, true, false);
    HWND frame = CreateLogFrame(instance);
    RegisterEntryWndClass(instance);
    RegisterLogClass(instance, "ListClass", LogListWndProc, CS_DBLCLKS, false, true);

    ScanLogCatalog();

    RECT client;
    GetClientRect(frame, &client);
    listWindow = CreateWindowExA(0, "ListClass", NULL,
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                 client.right, client.bottom, frame, (HMENU)0, instance, NULL);
    SetFocus(listWindow);
    rowFileListener = RescanOpenLog;
    return listWindow;
}
