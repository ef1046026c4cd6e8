// Helpers for Windows tests that run Tamsi's own windows inside the test process.
#pragma once
#include <windows.h>

#include <string>

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

// Ends the main window as the system menu's Close would and drains the quit message.
inline void CloseMainWindow() {
    SendMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(50);
}
