// One Tamsi at a time, held by a named mutex for the life of the process.
#include "app/single_instance.h"

#include <windows.h>

namespace {
const char* const RUNNING_MUTEX = "Local\\Tamsi.Running";
// The running copy may still be creating its window.
const int WINDOW_WAIT_MS = 5000;
const int WINDOW_POLL_MS = 50;
}  // namespace

bool AnotherTamsiRuns(const char* windowClass) {
    // The handle stays open on purpose: the system releases it when this process ends. A
    // process that holds it already (started again in the same process) is the one that runs.
    static HANDLE held = NULL;
    if (held != NULL) return false;
    HANDLE mutex = CreateMutexA(NULL, FALSE, RUNNING_MUTEX);
    if (mutex == NULL) return false;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        held = mutex;
        return false;
    }
    CloseHandle(mutex);

    HWND running = NULL;
    for (int waited = 0; waited <= WINDOW_WAIT_MS; waited += WINDOW_POLL_MS) {
        running = FindWindowA(windowClass, NULL);
        if (running != NULL) break;
        Sleep(WINDOW_POLL_MS);
    }
    if (running != NULL) {
        if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
    }
    return true;
}
