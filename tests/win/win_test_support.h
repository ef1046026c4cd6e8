// Helpers for Windows tests that run Tamsi's own windows inside the test process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"

// Dispatches this thread's messages for about ms milliseconds (timers included).
inline void PumpMessages(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT) TranslateMessage(&message), DispatchMessageA(&message);
    }
}

// The test program's folder, which start-up takes as the base directory.
inline std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return std::string(path).substr(0, std::string(path).rfind('\\'));
}

inline void RemoveSettingsFile() { DeleteFileA((ProgramFolder() + "\\Tamsi.ini").c_str()); }

// Other tests leave row files of their own in the data folder.
inline void RemoveRowFiles() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ProgramFolder() + "\\data\\*.csv").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        DeleteFileA((ProgramFolder() + "\\data\\" + found.cFileName).c_str());
    FindClose(search);
}

// The top left of what a device context shows.
inline std::vector<DWORD> Picture(HDC from, int width = 700, int height = 500) {
    HDC dc = CreateCompatibleDC(from);
    HBITMAP bitmap = CreateCompatibleBitmap(from, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, from, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                       {}};
    std::vector<DWORD> pixels(width * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// Ends the main window as the system menu's Close would and drains the quit message.
inline void CloseMainWindow() {
    SendMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(50);
}

// Every dialog and box shown, as "caption: text", answered with Cancel as it is activated; one
// still there when it next idles is marked and ended. Every popup menu's items, the menu closed
// at once.
inline std::vector<std::string> dialogsShown;
inline std::vector<int> menuItems;
inline HHOOK dialogHook, idleHook;
inline HWND answered;

inline LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = "", caption[64] = "", text[256] = "";
    HWND dialog = (HWND)wParam;
    if (code == HCBT_ACTIVATE && dialog != answered && GetClassNameA(dialog, name, sizeof name) &&
        std::string(name) == "#32770") {
        GetWindowTextA(dialog, caption, sizeof caption);
        if ((GetWindowLongA(GetDlgItem(dialog, 0xFFFF), GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);  // a box's text
        dialogsShown.push_back(std::string(caption) + ": " + text);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        answered = dialog;
    }
    return CallNextHookEx(dialogHook, code, wParam, lParam);
}

inline LRESULT CALLBACK WatchIdling(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP)
        for (int i = 0; i < GetMenuItemCount((HMENU)sent->wParam); i++)
            menuItems.push_back(GetMenuItemID((HMENU)sent->wParam, i));
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU) EndMenu();
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_DIALOGBOX &&
        (HWND)sent->lParam == answered) {
        dialogsShown.back() += " (stays open)";
        EndDialog(answered, IDCANCEL);
    }
    return CallNextHookEx(idleHook, code, wParam, lParam);
}

inline void WatchDialogs() {
    dialogsShown.clear(), menuItems.clear();
    dialogHook = SetWindowsHookExA(WH_CBT, AnswerDialogs, NULL, GetCurrentThreadId());
    idleHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchIdling, NULL, GetCurrentThreadId());
}

inline void StopWatchingDialogs() {
    UnhookWindowsHookEx(dialogHook);
    UnhookWindowsHookEx(idleHook);
}

// Holds these keys (and releases every other modifier) for GetKeyState; 0 holds none.
inline void HoldKeys(std::vector<int> held) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU}) keys[key] = 0;
    for (int key : held) keys[key] = key ? 0x80 : 0;
    SetKeyboardState(keys);
}
