// The thread of one logbook job, a Connect or a Send. The user-interface thread fills the
// job before the thread starts and changes nothing in it afterwards but the cancel flag; the
// thread touches no window except by posting messages.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <string>
#include <vector>

#include "logbook/logbook_reply.h"
#include "logbook/logbook_server.h"

// Posted to the job's notify window: result wParam was accepted (its id is in ids), and the
// thread is ending (the last message it posts).
const UINT LOGBOOK_ACCEPTED_MESSAGE = WM_APP + 11;
const UINT LOGBOOK_DONE_MESSAGE = WM_APP + 12;

enum LogbookJobKind { LOGBOOK_CONNECT, LOGBOOK_SEND };

// What went wrong, for the message box; LOGBOOK_FINE for nothing.
enum LogbookProblem {
    LOGBOOK_FINE,
    LOGBOOK_UNREACHABLE,   // detail: the WinHTTP error
    LOGBOOK_KEY_GONE,      // the key or the permission refused: connect again
    LOGBOOK_RESULT_REFUSED,  // detail: the server's words
    LOGBOOK_NOT_UNDERSTOOD,  // a reply without what it must carry
    LOGBOOK_NO_PERMISSION,   // the rower refused in the browser
    LOGBOOK_WAIT_ENDED,      // five minutes without the browser's return
    LOGBOOK_CANCELLED,
};

struct LogbookJob {
    // Fixed before the thread starts.
    LogbookJobKind kind;
    LogbookServer server;
    std::string clientId, clientSecret;
    // Connect: the listener already open, the state and redirect address in the browser's URL.
    SOCKET listener;
    std::string state, redirectUri;
    DWORD waitMs;
    // Send: the results' start times and JSON bodies, and the tokens to begin with (the access
    // token may be "" to be fetched first).
    std::vector<int32_t> startTimes;
    std::vector<std::string> bodies;
    std::string accessToken, refreshToken;
    HWND notify;
    HWND progressBar;  // stepped once a result; NULL when there is none
    std::atomic<bool> cancelled;

    // Written by the thread: ids[i] before result i is posted as accepted; the rest before
    // the last message.
    std::vector<std::string> ids;
    std::string rower;          // Connect: the rower's name
    bool tokensChanged;         // accessToken, refreshToken and expiresIn are new
    int64_t expiresIn;
    LogbookProblem problem;
    std::string detail;
};

// The thread's procedure; its parameter is the LogbookJob.
unsigned __stdcall RunLogbookJob(void* job);
