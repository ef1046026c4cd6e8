// Posting results to the online ranking log, the user-interface side: reads the login cookie
// that Internet Explorer left on disk, plans the upload, shows the "Please Wait" dialog and
// starts the sending thread, then moves lastUploadTime as the thread reports results taken.
#include "upload/upload_results.h"

#include <windows.h>
#include <shlobj.h>
#include <process.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#include "app/main_window.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "upload/upload_plan.h"
#include "upload/upload_reply.h"
#include "upload/upload_request.h"
#include "upload/upload_sender_win.h"

int(WINAPI* uploadMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = MessageBoxA;
UploadTimeOuts uploadTimeOuts = {REPLY_IDLE_MS, REPLY_DEADLINE_MS};

static const char CONFIGURATION_ERROR[] = "Configuration Error";
static const char CONNECTION_PROBLEM[] = "Connection Problem";
static const char UPLOAD_WINDOW_CLASS[] = "UploadWndClass";
// How long shut-down waits for the sending thread; only a name look-up takes longer.
static const DWORD STOP_WAIT_MS = 3000;

// The one upload that may run. Only the job is seen by the sending thread.
static UploadJob job;
static bool uploadBusy;
static HANDLE sender;      // the sending thread while it runs
static HWND notifyWindow;  // receives the thread's messages on this thread
static HWND pleaseWait;    // the "Please Wait" dialog, or NULL
static int32_t startingLastUploadTime;
static int32_t knownTimes[MAX_LOG_ENTRIES];  // results after it on disk, ascending
static int knownCount;
static int32_t acceptedTimes[MAX_LOG_ENTRIES];  // ascending, since the oldest go first
static int acceptedCount;
static bool saving;  // a failed save's box is up: a change meanwhile waits for the next save

static void Say(const char* caption, const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    uploadMessageBox(mainWindow, text, caption, MB_OK);
}

// Reads "user=<value>" from the first cookie file of the online log in the shell's cookie
// folder. Says what is wrong and returns false when there is none.
static bool ReadLoginCookie(char* cookie, size_t size) {
    char folder[MAX_PATH];
    WIN32_FIND_DATAA found;
    HANDLE search = INVALID_HANDLE_VALUE;
    if (SHGetFolderPathA(NULL, CSIDL_COOKIES, NULL, SHGFP_TYPE_CURRENT, folder) == S_OK) {
        char pattern[MAX_PATH + 32];
        snprintf(pattern, sizeof pattern, "%s\\*@sranking03*", folder);
        search = FindFirstFileA(pattern, &found);
    }
    if (search == INVALID_HANDLE_VALUE) {
        Say(CONFIGURATION_ERROR,
            "Couldn't find settings for concept2 online log.\n"
            "Please log in using Internet Explorer and try again.");
        return false;
    }
    char path[2 * MAX_PATH + 2];
    snprintf(path, sizeof path, "%s\\%s", folder, found.cFileName);
    bool haveCookie = false;
    if (FILE* file = fopen(path, "r")) {
        char text[COOKIE_FILE_READ_SIZE];
        const size_t read = fread(text, 1, sizeof text, file);
        haveCookie = ParseUserCookie(text, read, cookie, size);
        fclose(file);
    }
    FindClose(search);
    if (!haveCookie) Say(CONFIGURATION_ERROR, "Couldn't read settings for concept2 online log.");
    return haveCookie;
}

// A result was taken: lastUploadTime moves when every result before it has been taken too,
// and is saved at once, so that an end of Tamsi before its usual save sends nothing twice.
static void TakeAccepted(int32_t startTime) {
    if (acceptedCount < MAX_LOG_ENTRIES) acceptedTimes[acceptedCount++] = startTime;
    const int32_t moved = AdvanceLastUploadTime(startingLastUploadTime, knownTimes, knownCount,
                                                acceptedTimes, acceptedCount);
    if (moved == settings.lastUploadTime) return;
    settings.lastUploadTime = moved;
    if (saving) return;
    saving = true;
    SaveSettings();
    saving = false;
}

static void CloseUploadWindows() {
    if (pleaseWait) DestroyWindow(pleaseWait);
    if (notifyWindow) DestroyWindow(notifyWindow);
    pleaseWait = notifyWindow = NULL;
}

// The thread has posted its last message and is ending.
static void OnUploadDone() {
    if (sender == NULL) return;
    WaitForSingleObject(sender, STOP_WAIT_MS);
    CloseHandle(sender);
    sender = NULL;
    CloseUploadWindows();
    if (job.problem[0]) Say(CONNECTION_PROBLEM, "%s", job.problem);
    uploadBusy = false;
}

static LRESULT CALLBACK UploadWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UPLOAD_ACCEPTED_MESSAGE: TakeAccepted((int32_t)lParam); return 0;
    case UPLOAD_DONE_MESSAGE: OnUploadDone(); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window, so that the thread's messages arrive whatever dialog or message box
// is running its loop on this thread.
static HWND CreateNotifyWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = UploadWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = UPLOAD_WINDOW_CLASS;
    RegisterClassA(&windowClass);  // fails harmlessly from the second upload on
    return CreateWindowExA(0, UPLOAD_WINDOW_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                           windowClass.hInstance, NULL);
}

// Everything the sending thread needs is copied into the job before it starts.
static bool StartUpload(LogEntry* const* list, int count) {
    bool recordingLeft = false;
    job.count = PlanUpload(list, count, rowFileSeconds, job.entries, &recordingLeft);
    if (recordingLeft) {
        Say("Notice", "This workout is still being recorded.");
        if (job.count == 0) return false;
    }
    if (!ReadLoginCookie(job.cookie, sizeof job.cookie)) return false;
    // Only the environment, never a file, can point the upload elsewhere.
    const char* override = getenv(RANKING_SERVER_VARIABLE);
    if (!ChooseRankingServer(override, &job.server)) {
        Say(CONNECTION_PROBLEM, "Unable to resolve server: %s\n", override);
        return false;
    }
    job.rowerType = UploadRowerType(settings.rowerType);
    job.weightClass = UploadWeightClass(settings.weightClass);
    job.timeOuts = uploadTimeOuts;
    job.cancelled = false;
    job.problem[0] = '\0';
    startingLastUploadTime = settings.lastUploadTime;
    knownCount = ListRowFileTimesAfter(startingLastUploadTime, knownTimes, MAX_LOG_ENTRIES);
    acceptedCount = 0;

    job.notify = notifyWindow = CreateNotifyWindow();
    pleaseWait = OpenPleaseWait(2 * job.count);
    job.progressBar = pleaseWait ? GetDlgItem(pleaseWait, IDC_UPLOAD_PROGRESS) : NULL;
    if (notifyWindow) sender = (HANDLE)_beginthreadex(NULL, 0, SendUpload, &job, 0, NULL);
    if (sender == NULL) {
        CloseUploadWindows();
        Say(CONNECTION_PROBLEM, "Couldn't start sending the results.");
        return false;
    }
    return true;
}

void UploadResults(LogEntry* const* list, int count) {
    if (uploadBusy) return;
    if (list == nullptr || count < 0) count = 0;
    uploadBusy = true;
    if (!StartUpload(list, count)) uploadBusy = false;
}

bool UploadRunning() {
    return uploadBusy;
}

void StopUpload() {
    if (sender == NULL) return;
    job.cancelled = true;
    // A thread caught in a name look-up is left to the end of the process.
    if (WaitForSingleObject(sender, STOP_WAIT_MS) != WAIT_OBJECT_0) return;
    // Results taken just before the stop are still in the queue.
    MSG message;
    while (PeekMessageA(&message, notifyWindow, UPLOAD_ACCEPTED_MESSAGE, UPLOAD_ACCEPTED_MESSAGE,
                        PM_REMOVE))
        TakeAccepted((int32_t)message.lParam);
    CloseHandle(sender);
    sender = NULL;
    CloseUploadWindows();
    uploadBusy = false;
}
