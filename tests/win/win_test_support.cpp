// Helpers for Windows tests.
#include "win_test_support.h"

#include "app/main_window.h"

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

void RemoveSettingsFile() {
    DeleteFileA((ProgramFolder() + "\\Tamsi.ini").c_str());
}

void CloseMainWindow() {
    SendMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(50);
}
