// The logbook's user-interface side: starts Connect and Send jobs on their thread, keeps the
// tokens and the sent record as the thread reports, and tells the rower what went wrong.
#include "logbook/online_logbook.h"

#include <process.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <bcrypt.h>
#include <shellapi.h>

#include "app/main_window.h"
#include "export/row_workout.h"
#include "logbook/logbook_dialog_win.h"
#include "logbook/logbook_key.h"
#include "logbook/logbook_listener_win.h"
#include "logbook/logbook_oauth.h"
#include "logbook/logbook_result.h"
#include "logbook/logbook_store_win.h"
#include "logbook/logbook_worker_win.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "upload/upload_win.h"

static const char CAPTION[] = "Online Logbook";
static const char NOTIFY_CLASS[] = "LogbookWndClass";
static const DWORD CALLBACK_WAIT_MS = 5 * 60 * 1000;
static const DWORD STOP_WAIT_MS = 3000;
// An access token is renewed this long before the logbook says it ends.
static const DWORD EXPIRY_MARGIN_MS = 60000;

static LogbookJob job;
static HANDLE worker;
static HWND notifyWindow;
static HWND pleaseWait;
static std::string accessToken;
static DWORD accessUntil;  // tick count at which accessToken is taken as stale

static void Say(UINT type, const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    HWND dialog = LogbookDialog();
    MessageBoxA(dialog ? dialog : mainWindow, text, CAPTION, MB_OK | type);
}

// Tells the rower when this copy has no key or Tamsi is pointed at a server it refuses.
static bool Ready() {
    if (logbookClientId[0] == '\0' || logbookClientSecret[0] == '\0') {
        Say(MB_ICONINFORMATION,
            "This copy of Tamsi has no online logbook key, so it cannot use the logbook.\n"
            "The logbook's maker issues a key to whoever distributes Tamsi, who builds it in "
            "(see \"Online logbook\" in ReadMe.txt).");
        return false;
    }
    if (!ChooseLogbookServer(getenv(LOGBOOK_SERVER_VARIABLE), &job.server)) {
        Say(MB_ICONEXCLAMATION, "The logbook address %s is not https.", getenv(LOGBOOK_SERVER_VARIABLE));
        return false;
    }
    job.clientId = logbookClientId;
    job.clientSecret = logbookClientSecret;
    job.problem = LOGBOOK_FINE;
    job.detail.clear();
    job.tokensChanged = false;
    job.cancelled = false;
    return true;
}

static std::string DateOf(int32_t startTime) {
    const time_t seconds = startTime;
    const tm* local = localtime(&seconds);
    if (local == NULL) return "1970-01-01 00:00:00";
    return FormatLogbookDate(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                             local->tm_hour, local->tm_min, local->tm_sec);
}

static void TellProblem() {
    switch (job.problem) {
    case LOGBOOK_FINE:
    case LOGBOOK_CANCELLED: break;
    case LOGBOOK_UNREACHABLE:
        Say(MB_ICONEXCLAMATION, "Tamsi could not reach the online logbook (error %s).\n"
            "Check the connection to the Internet and try again.", job.detail.c_str());
        break;
    case LOGBOOK_KEY_GONE:
        Say(MB_ICONEXCLAMATION, "The online logbook refused Tamsi's key or your permission.\n"
            "Connect again in Tools, Online Logbook.\n\n%s", job.detail.c_str());
        break;
    case LOGBOOK_RESULT_REFUSED:
        Say(MB_ICONEXCLAMATION, "The online logbook did not take this result:\n\n%s",
            job.detail.c_str());
        break;
    case LOGBOOK_NOT_UNDERSTOOD:
        Say(MB_ICONEXCLAMATION, "The online logbook's answer was not understood.");
        break;
    case LOGBOOK_NO_PERMISSION:
        Say(MB_ICONINFORMATION, "You did not give Tamsi permission to use your logbook.");
        break;
    case LOGBOOK_WAIT_ENDED:
        Say(MB_ICONINFORMATION, "The browser did not come back within 5 minutes. Connect again to retry.");
        break;
    }
}

static void CloseJobWindows() {
    if (pleaseWait) DestroyWindow(pleaseWait);
    if (notifyWindow) DestroyWindow(notifyWindow);
    pleaseWait = notifyWindow = NULL;
}

static void TakeAccepted(size_t i) {
    if (i >= job.startTimes.size()) return;
    if (!RecordSentResult(job.startTimes[i], job.ids[i]))
        Say(MB_ICONEXCLAMATION, "The logbook took result %s, but Tamsi could not note it as sent.",
            job.ids[i].c_str());
}

// The thread has ended: keep its tokens, then tell what went wrong.
static void OnJobDone() {
    if (worker == NULL) return;
    WaitForSingleObject(worker, STOP_WAIT_MS);
    CloseHandle(worker);
    worker = NULL;
    CloseJobWindows();
    if (job.tokensChanged) {
        accessToken = job.accessToken;
        const int64_t lifetimeMs = job.expiresIn * 1000 - EXPIRY_MARGIN_MS;
        accessUntil = GetTickCount() + (DWORD)(lifetimeMs > 0 ? lifetimeMs : 0);
        std::string rower, unused;
        if (job.kind == LOGBOOK_CONNECT) rower = job.rower;
        else LoadLogbookToken(&rower, &unused);
        const bool connected = job.kind == LOGBOOK_SEND || job.problem == LOGBOOK_FINE;
        if (connected && !SaveLogbookToken(rower, job.refreshToken))
            Say(MB_ICONEXCLAMATION, "Tamsi could not keep the logbook's permission beside Tamsi.ini.");
    }
    if (job.kind == LOGBOOK_CONNECT && job.problem != LOGBOOK_FINE) accessToken.clear();
    ShowLogbookState();
    TellProblem();
}

static LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LOGBOOK_ACCEPTED_MESSAGE: TakeAccepted((size_t)wParam); return 0;
    case LOGBOOK_DONE_MESSAGE: OnJobDone(); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window gets the thread's messages whatever loop runs on this thread.
static bool StartJob() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotifyWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = NOTIFY_CLASS;
    RegisterClassA(&windowClass);  // fails harmlessly from the second job on
    job.notify = notifyWindow = CreateWindowExA(0, NOTIFY_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                NULL, windowClass.hInstance, NULL);
    if (notifyWindow) worker = (HANDLE)_beginthreadex(NULL, 0, RunLogbookJob, &job, 0, NULL);
    if (worker != NULL) return true;
    CloseJobWindows();
    Say(MB_ICONEXCLAMATION, "Tamsi could not start talking to the logbook.");
    return false;
}

bool StartLogbookConnect() {
    if (worker != NULL || !Ready()) return false;
    job.kind = LOGBOOK_CONNECT;
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);  // counted: Tamsi never ends its use of sockets
    job.listener = OpenCallbackListener(logbookRedirectPort);
    if (job.listener == INVALID_SOCKET) {
        Say(MB_ICONEXCLAMATION, "Tamsi could not wait for the browser on port %d: another "
            "program uses it.", logbookRedirectPort);
        return false;
    }
    uint8_t random[OAUTH_STATE_BYTES];
    // The state proves that the browser's return belongs to this Connect: unguessable.
    if (BCryptGenRandom(NULL, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
        closesocket(job.listener);
        Say(MB_ICONEXCLAMATION, "Tamsi could not make a random number.");
        return false;
    }
    job.state = FormatOAuthState(random);
    job.redirectUri = FormatRedirectUri(logbookRedirectPort);
    job.waitMs = CALLBACK_WAIT_MS;
    job.progressBar = NULL;
    const std::string address = FormatAuthorizeUrl(job.server, logbookClientId, job.redirectUri, job.state);
    // The rower logs in and agrees in the browser of the system, never in Tamsi.
    if ((INT_PTR)ShellExecuteA(mainWindow, "open", address.c_str(), NULL, NULL, SW_SHOWNORMAL) <= 32) {
        closesocket(job.listener);
        Say(MB_ICONEXCLAMATION, "Tamsi could not open the browser.");
        return false;
    }
    if (!StartJob()) closesocket(job.listener);
    return worker != NULL;
}

void CancelLogbookConnect() {
    if (worker != NULL && job.kind == LOGBOOK_CONNECT) job.cancelled = true;
}

void DisconnectLogbook() {
    DeleteLogbookToken();
    accessToken.clear();
}

bool LogbookConnecting() {
    return worker != NULL && job.kind == LOGBOOK_CONNECT;
}

bool LogbookRunning() {
    return worker != NULL;
}

void SendToLogbook(LogEntry* const* list, int count) {
    if (worker != NULL || !Ready()) return;
    std::string rower;
    if (!LoadLogbookToken(&rower, &job.refreshToken)) {
        Say(MB_ICONINFORMATION, "Tamsi is not connected to the online logbook.\n"
            "Connect in Tools, Online Logbook first.");
        return;
    }
    const std::vector<SentResult> sent = ReadSentResults();
    job.kind = LOGBOOK_SEND;
    job.startTimes.clear();
    job.bodies.clear();
    int already = 0;
    for (int i = 0; list != nullptr && i < count; ++i) {
        RowWorkout workout;
        const int32_t startTime = list[i]->startTime;
        if (!FindSent(sent, startTime).empty()) {
            already++;
        } else if (startTime != rowFileSeconds && ReadRowWorkout(startTime, &workout) == ROW_FILE_READ) {
            job.startTimes.push_back(startTime);
            job.bodies.push_back(FormatLogbookResult(workout, DateOf(startTime), settings.weightClass));
        }
    }
    if (already > 0)
        Say(MB_ICONINFORMATION, already == 1 ? "%d result is already in the online logbook and is not sent again."
                                             : "%d results are already in the online logbook and are not sent again.",
            already);
    if (job.bodies.empty()) return;
    job.ids.assign(job.bodies.size(), "");
    job.accessToken = GetTickCount() - accessUntil < 0x80000000u ? "" : accessToken;
    job.expiresIn = 0;
    pleaseWait = OpenPleaseWait((int)job.bodies.size());
    job.progressBar = pleaseWait ? GetDlgItem(pleaseWait, IDC_UPLOAD_PROGRESS) : NULL;
    StartJob();
}

void SendFinishedWorkout(int32_t startTime) {
    if (settings.logbookAutoSend != 1 || worker != NULL) return;
    LogEntry entry = {};
    entry.startTime = startTime;
    LogEntry* list[] = {&entry};
    SendToLogbook(list, 1);
}

void StopLogbook() {
    if (worker == NULL) return;
    job.cancelled = true;
    // A thread inside a request is left to the end of the process.
    if (WaitForSingleObject(worker, STOP_WAIT_MS) != WAIT_OBJECT_0) return;
    MSG message;
    while (PeekMessageA(&message, notifyWindow, LOGBOOK_ACCEPTED_MESSAGE, LOGBOOK_ACCEPTED_MESSAGE,
                        PM_REMOVE))
        TakeAccepted((size_t)message.wParam);
    CloseHandle(worker);
    worker = NULL;
    CloseJobWindows();
}
