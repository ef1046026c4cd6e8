// The sending thread: posts each result and reads its reply before the next, on a new
// connection whenever the server has closed the last one. Every wait is cut into short slices
// so that a cancel ends it soon, and every reply has a deadline of its own.
#include "upload/upload_sender_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <commctrl.h>
#include <stdarg.h>
#include <stdio.h>

#include "upload/upload_reply.h"
#include "upload/upload_request.h"

namespace {

const DWORD WAIT_SLICE_MS = 100;
// The "Please Wait" dialog stays this long after the last result, as it always has.
const DWORD PLEASE_WAIT_MS = 1000;

enum WaitResult { SOCKET_READY, SOCKET_TIMED_OUT, UPLOAD_CANCELLED };

// The thread's connection to the server.
struct Link {
    UploadJob* job;
    sockaddr_in address;
    SOCKET socket;  // INVALID_SOCKET between connections
    bool closing;   // the server ends this connection after the reply just read
};

void Tell(UploadJob* job, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(job->problem, sizeof job->problem, format, arguments);
    va_end(arguments);
}

// Waits until the socket can be read (or written, or its connect has failed).
WaitResult WaitForSocket(const UploadJob* job, SOCKET socket, bool write, DWORD timeOutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (job->cancelled) return UPLOAD_CANCELLED;
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeOutMs) return SOCKET_TIMED_OUT;
        const DWORD slice = timeOutMs - waited < WAIT_SLICE_MS ? timeOutMs - waited : WAIT_SLICE_MS;
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_SET(socket, &ready);
        FD_ZERO(&failed);
        FD_SET(socket, &failed);
        timeval wait = {0, (long)slice * 1000};
        // A failing select is left to the socket call after it, which reports the error.
        if (select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &wait) != 0)
            return SOCKET_READY;
    }
}

void Pause(const UploadJob* job, DWORD ms) {
    for (const DWORD start = GetTickCount(); !job->cancelled && GetTickCount() - start < ms;)
        Sleep(WAIT_SLICE_MS);
}

bool Resolve(UploadJob* job, sockaddr_in* address) {
    *address = {};
    address->sin_family = AF_INET;
    address->sin_port = htons(job->server.port);
    if (inet_pton(AF_INET, job->server.host, &address->sin_addr) == 1) return true;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const bool resolved = getaddrinfo(job->server.host, nullptr, &hints, &found) == 0 && found;
    if (resolved) address->sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    if (found) freeaddrinfo(found);
    if (!resolved) Tell(job, "Unable to resolve server: %s\n", job->server.host);
    return resolved;
}

void Disconnect(Link* link) {
    if (link->socket != INVALID_SOCKET) closesocket(link->socket);
    link->socket = INVALID_SOCKET;
    link->closing = false;
}

// A socket that does not block, so that every wait goes through WaitForSocket.
bool Connect(Link* link) {
    UploadJob* job = link->job;
    link->socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (link->socket == INVALID_SOCKET) {
        Tell(job, "socket() failed: %d\n", WSAGetLastError());
        return false;
    }
    u_long nonBlocking = 1;
    ioctlsocket(link->socket, FIONBIO, &nonBlocking);
    int error = 0;
    if (connect(link->socket, reinterpret_cast<sockaddr*>(&link->address), sizeof link->address))
        error = WSAGetLastError();
    if (error == WSAEWOULDBLOCK) {
        const WaitResult waited = WaitForSocket(job, link->socket, true, job->timeOuts.idleMs);
        int length = sizeof error;
        error = waited == SOCKET_TIMED_OUT ? WSAETIMEDOUT : 0;
        if (waited == SOCKET_READY)
            getsockopt(link->socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                       &length);
        if (waited == UPLOAD_CANCELLED) {
            Disconnect(link);
            return false;
        }
    }
    if (error != 0) {
        Tell(job, "connect() failed: %d\n", error);
        Disconnect(link);
        return false;
    }
    return true;
}

// Whether a connection is still fit for the next request: nothing may have come on it since
// its last reply, neither the server's close nor bytes nobody asked for.
bool StillOpen(SOCKET socket) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval now = {0, 0};
    return select(0, &readable, nullptr, nullptr, &now) == 0;
}

bool SendWhole(Link* link, const char* data, int length) {
    UploadJob* job = link->job;
    for (int sent = 0; sent < length;) {
        const int result = send(link->socket, data + sent, length - sent, 0);
        if (result > 0) {
            sent += result;
            continue;
        }
        int error = WSAGetLastError();
        if (error == WSAEWOULDBLOCK) {
            const WaitResult waited = WaitForSocket(job, link->socket, true, job->timeOuts.idleMs);
            if (waited == SOCKET_READY) continue;
            if (waited == UPLOAD_CANCELLED) return false;
            error = WSAETIMEDOUT;
        }
        Tell(job, "send() failed: %d\n", error);
        return false;
    }
    return true;
}

// Reads and judges the reply to result number (from 1); true when the result was taken.
bool ReadReply(Link* link, int number) {
    UploadJob* job = link->job;
    ReplyJudge judge;
    StartReplyJudge(&judge, 1);
    const DWORD requested = GetTickCount();
    DWORD lastByte = requested;
    char received[2048];
    while (judge.outcome == REPLIES_PENDING) {
        const DWORD now = GetTickCount();
        const DWORD left = ReplyWaitLeft(now - requested, now - lastByte, job->timeOuts.replyMs,
                                         job->timeOuts.idleMs);
        const WaitResult waited =
            left == 0 ? SOCKET_TIMED_OUT : WaitForSocket(job, link->socket, false, left);
        if (waited == UPLOAD_CANCELLED) return false;
        if (waited == SOCKET_TIMED_OUT) {
            Tell(job, "recv() failed: %d\n", WSAETIMEDOUT);
            return false;
        }
        const int got = recv(link->socket, received, sizeof received, 0);
        if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) continue;
        if (got == SOCKET_ERROR) {
            Tell(job, "recv() failed: %d\n", WSAGetLastError());
            return false;
        }
        lastByte = GetTickCount();
        if (got == 0) {
            link->closing = true;
            EndReplyJudge(&judge);
        } else {
            FeedReplyJudge(&judge, received, (size_t)got);
        }
    }
    if (judge.outcome != REPLIES_ACCEPTED) {
        FormatReplyProblem(judge, number, job->count, job->problem, sizeof job->problem);
        return false;
    }
    link->closing = link->closing || judge.closing;
    return true;
}

void Step(const UploadJob* job) {
    if (job->progressBar) PostMessageA(job->progressBar, PBM_STEPIT, 0, 0);
}

// Sends result i and reads its reply; tells the user-interface thread when it was taken.
bool PostResult(Link* link, int i) {
    UploadJob* job = link->job;
    if (link->socket != INVALID_SOCKET && (link->closing || !StillOpen(link->socket)))
        Disconnect(link);
    if (link->socket == INVALID_SOCKET && !Connect(link)) return false;
    char body[UPLOAD_BODY_SIZE];
    char header[UPLOAD_HEADER_SIZE];
    const LogEntry& entry = job->entries[i];
    const int bodyLength =
        FormatUploadBody(entry, job->rowerType, job->weightClass, body, sizeof body);
    const int headerLength =
        FormatUploadHeader(job->server.hostHeader, job->cookie, bodyLength, header, sizeof header);
    if (bodyLength < 0 || headerLength < 0) return false;  // both always fit their buffers
    bool sent = SendWhole(link, header, headerLength);
    Step(job);
    if (!sent) return false;
    sent = SendWhole(link, body, bodyLength);
    Step(job);
    if (!sent || !ReadReply(link, i + 1)) return false;
    PostMessageA(job->notify, UPLOAD_ACCEPTED_MESSAGE, 0, (LPARAM)entry.startTime);
    return true;
}

}  // namespace

unsigned __stdcall SendUpload(void* parameter) {
    UploadJob* job = static_cast<UploadJob*>(parameter);
    WSADATA winsock;
    if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) {
        Tell(job, "Failed to load Winsock library!");
    } else {
        Link link = {job, {}, INVALID_SOCKET, false};
        // The first connection is made before any result, even for an empty list.
        if (Resolve(job, &link.address) && Connect(&link)) {
            for (int i = 0; i < job->count && PostResult(&link, i); ++i) {
            }
        }
        Disconnect(&link);
        WSACleanup();
    }
    Pause(job, PLEASE_WAIT_MS);
    PostMessageA(job->notify, UPLOAD_DONE_MESSAGE, 0, 0);
    return 0;
}
