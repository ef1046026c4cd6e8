// The thread that sends one upload: each result's request, then its reply, then the next.
// The user-interface thread fills the job before the thread starts and changes nothing in it
// afterwards but the cancel flag; the thread touches no window except by posting messages.
#pragma once
#include <windows.h>

#include <atomic>

#include "log/log_catalog.h"
#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_win.h"

// Posted to the job's notify window: a result was accepted (lParam: its start time), and the
// thread is ending (the last message it posts).
const UINT UPLOAD_ACCEPTED_MESSAGE = WM_APP + 1;
const UINT UPLOAD_DONE_MESSAGE = WM_APP + 2;

struct UploadJob {
    // Fixed before the thread starts.
    LogEntry entries[MAX_LOG_ENTRIES];  // sent in this order, oldest first
    int count;
    char cookie[COOKIE_TEXT_SIZE];  // "user=<value>"
    RankingServer server;
    const char* rowerType;  // "standard" or "slide"
    char weightClass;       // 'H' or 'L'
    UploadTimeOuts timeOuts;
    HWND progressBar;  // stepped twice a result; NULL when there is none
    HWND notify;       // gets UPLOAD_ACCEPTED_MESSAGE and UPLOAD_DONE_MESSAGE
    // Set by the user-interface thread to end the upload at the next moment it waits.
    std::atomic<bool> cancelled;
    // What to tell the rower ("" for nothing), written by the thread before its last message.
    char problem[512];
};

// The thread's procedure; its parameter is the UploadJob.
unsigned __stdcall SendUpload(void* job);
