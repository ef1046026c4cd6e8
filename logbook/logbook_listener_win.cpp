// Waiting for the browser on the loopback address: one request per connection, each judged
// by its request line, with short waits so that a cancel is seen at once.
#include "logbook/logbook_listener_win.h"

#include <stdio.h>
#include <string.h>

#include "logbook/logbook_oauth.h"

namespace {

const DWORD SLICE_MS = 100;
// A browser sends its request line at once; a connection that says nothing is dropped.
const DWORD REQUEST_MS = 5000;
const size_t REQUEST_SIZE = 8192;

bool Readable(SOCKET socket) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait = {0, (long)SLICE_MS * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

void Answer(SOCKET client, const char* status, const char* text) {
    char page[1024];
    char reply[1400];
    const int length = snprintf(page, sizeof page,
                                "<!DOCTYPE html><html><head><title>Tamsi</title></head>"
                                "<body><p>%s</p></body></html>", text);
    const int size = snprintf(reply, sizeof reply,
                              "HTTP/1.1 %s\r\nContent-Type: text/html; charset=utf-8\r\n"
                              "Content-Length: %d\r\nConnection: close\r\n\r\n%s",
                              status, length, page);
    send(client, reply, size, 0);
}

// Reads one request line from a new connection and answers it.
CallbackVerdict Serve(SOCKET client, const std::string& state, const std::atomic<bool>& cancelled,
                      std::string* code) {
    char request[REQUEST_SIZE];
    size_t length = 0;
    CallbackVerdict verdict = CALLBACK_INCOMPLETE;
    for (const DWORD start = GetTickCount();
         verdict == CALLBACK_INCOMPLETE && !cancelled && GetTickCount() - start < REQUEST_MS;) {
        if (!Readable(client)) continue;
        const int got = recv(client, request + length, (int)(sizeof request - length), 0);
        if (got <= 0) break;
        length += (size_t)got;
        verdict = JudgeCallback(request, length, state, code);
        if (verdict == CALLBACK_INCOMPLETE && length == sizeof request) verdict = CALLBACK_WRONG_PATH;
    }
    switch (verdict) {
    case CALLBACK_CODE:
        Answer(client, "200 OK", "Tamsi is now connected to your online logbook. You can close this page.");
        break;
    case CALLBACK_DENIED:
        Answer(client, "200 OK", "Tamsi was not given permission. You can close this page.");
        break;
    case CALLBACK_WRONG_STATE:
        Answer(client, "400 Bad Request", "This answer is not for the connection Tamsi is waiting for.");
        break;
    case CALLBACK_WRONG_PATH: Answer(client, "404 Not Found", "Not found."); break;
    case CALLBACK_INCOMPLETE: break;
    }
    return verdict;
}

}  // namespace

SOCKET OpenCallbackListener(int port) {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) return listener;
    // Only this machine's browser may come in: the loopback address, and no other program
    // listening on the same port at the same time.
    BOOL exclusive = TRUE;
    setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, (const char*)&exclusive, sizeof exclusive);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, (sockaddr*)&address, sizeof address) != 0 || listen(listener, 4) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    return listener;
}

CallbackOutcome WaitForCallback(SOCKET listener, const std::string& state, DWORD timeOutMs,
                                const std::atomic<bool>& cancelled, std::string* code) {
    CallbackOutcome outcome = CALLBACK_TIMED_OUT;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeOutMs;) {
        if (cancelled) {
            outcome = CALLBACK_CANCELLED;
            break;
        }
        if (!Readable(listener)) continue;
        SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        const CallbackVerdict verdict = Serve(client, state, cancelled, code);
        shutdown(client, SD_SEND);
        closesocket(client);
        if (verdict == CALLBACK_CODE || verdict == CALLBACK_DENIED) {
            outcome = verdict == CALLBACK_CODE ? CALLBACK_GOT_CODE : CALLBACK_REFUSED;
            break;
        }
    }
    closesocket(listener);
    return outcome;
}
