// Posting results to the online ranking log over Windows Sockets, with the login cookie that
// Internet Explorer left on disk, and judging what the server answers.
#include "upload/upload_results.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <shlobj.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "app/main_window.h"
#include "settings/settings.h"
#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_reply.h"
#include "upload/upload_request.h"
#include "upload/upload_win.h"

int(WINAPI* uploadMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = MessageBoxA;

// A server that stops answering (or reading) fails the upload after this long instead of
// holding the whole program for good.
static const DWORD SOCKET_TIME_OUT_MS = 30000;
static const DWORD PLEASE_WAIT_MS = 1000;

static const char CONFIGURATION_ERROR[] = "Configuration Error";
static const char CONNECTION_PROBLEM[] = "Connection Problem";

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

// Connects a new socket to the ranking server (or the test server the environment names).
// Says what is wrong and returns INVALID_SOCKET on failure.
static SOCKET ConnectToServer(RankingServer* server) {
    SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connection == INVALID_SOCKET) {
        Say(CONNECTION_PROBLEM, "socket() failed: %d\n", WSAGetLastError());
        return INVALID_SOCKET;
    }
    // Only the environment, never a file, can point the upload elsewhere.
    const char* override = getenv(RANKING_SERVER_VARIABLE);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    const bool named = ChooseRankingServer(override, server);
    bool resolved = named;
    if (named) {
        address.sin_port = htons(server->port);
        if (inet_pton(AF_INET, server->host, &address.sin_addr) != 1) {
            addrinfo hints = {};
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            resolved = getaddrinfo(server->host, nullptr, &hints, &found) == 0 && found;
            if (resolved) {
                address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
            }
            if (found) freeaddrinfo(found);
        }
    }
    if (!resolved) {
        Say(CONNECTION_PROBLEM, "Unable to resolve server: %s\n", named ? server->host : override);
        closesocket(connection);
        return INVALID_SOCKET;
    }
    if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        Say(CONNECTION_PROBLEM, "connect() failed: %d\n", WSAGetLastError());
        closesocket(connection);
        return INVALID_SOCKET;
    }
    const DWORD timeOut = SOCKET_TIME_OUT_MS;
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeOut),
               sizeof timeOut);
    setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeOut),
               sizeof timeOut);
    return connection;
}

// One send call for the whole block, and more only if the stack took part of it. Returns the
// bytes sent, 0, or SOCKET_ERROR.
static int SendWhole(SOCKET connection, const char* data, int length) {
    int sent = 0;
    while (sent < length) {
        const int result = send(connection, data + sent, length - sent, 0);
        if (result <= 0) return result;
        sent += result;
    }
    return sent;
}

// Sends the header block and the body of one result, one progress step after each. Returns
// the last send's result; a failed send ends the post, since the stream is then broken.
static int PostResult(SOCKET connection, const LogEntry& entry, const RankingServer& server,
                      const char* cookie, HWND dialog) {
    char body[UPLOAD_BODY_SIZE];
    char header[UPLOAD_HEADER_SIZE];
    const int bodyLength =
        FormatUploadBody(entry, settings.rowerType, settings.weightClass, body, sizeof body);
    const int headerLength =
        FormatUploadHeader(server.hostHeader, cookie, bodyLength, header, sizeof header);
    if (bodyLength < 0 || headerLength < 0) return 0;
    int result = SendWhole(connection, header, headerLength);
    if (dialog) StepPleaseWait(dialog);
    if (result <= 0) return result;
    result = SendWhole(connection, body, bodyLength);
    if (dialog) StepPleaseWait(dialog);
    return result;
}

// Reads one reply per posted result. The upload counts, and lastUploadTime moves, only when
// every reply says the result was taken.
static void ReadReplies(SOCKET connection, int posted) {
    ReplyJudge judge;
    StartReplyJudge(&judge, posted);
    char received[2048];
    while (judge.outcome == REPLIES_PENDING) {
        const int got = recv(connection, received, sizeof received, 0);
        if (got == SOCKET_ERROR) {
            Say(CONNECTION_PROBLEM, "recv() failed: %d\n", WSAGetLastError());
            return;
        }
        if (got == 0) {
            EndReplyJudge(&judge);
        } else {
            FeedReplyJudge(&judge, received, (size_t)got);
        }
    }
    if (judge.outcome == REPLIES_ACCEPTED) {
        settings.lastUploadTime = (int32_t)time(nullptr);
        return;
    }
    char problem[512];
    FormatReplyProblem(judge, problem, sizeof problem);
    Say(CONNECTION_PROBLEM, "%s", problem);
}

static void PostResults(SOCKET connection, const RankingServer& server, const char* cookie,
                        LogEntry* const* list, int count) {
    HWND dialog = OpenPleaseWait(2 * count);
    int lastSent = 0;
    int error = 0;
    for (int i = 0; i < count; ++i) {
        lastSent = PostResult(connection, *list[i], server, cookie, dialog);
        if (lastSent <= 0) {
            error = WSAGetLastError();
            break;
        }
    }
    Sleep(PLEASE_WAIT_MS);
    if (dialog) DestroyWindow(dialog);

    if (lastSent == SOCKET_ERROR) {
        Say(CONNECTION_PROBLEM, "send() failed: %d\n", error);
    } else if (lastSent > 0) {
        ReadReplies(connection, count);
    }
    // Nothing sent (an empty list): nothing to judge and nothing marked.
}

void UploadResults(LogEntry* const* list, int count) {
    if (list == nullptr || count < 0) count = 0;
    if (count > MAX_LOG_ENTRIES) count = MAX_LOG_ENTRIES;
    char cookie[COOKIE_TEXT_SIZE];
    if (!ReadLoginCookie(cookie, sizeof cookie)) return;

    WSADATA winsock;
    if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) {
        Say(CONNECTION_PROBLEM, "Failed to load Winsock library!");
        return;
    }
    RankingServer server;
    SOCKET connection = ConnectToServer(&server);
    if (connection != INVALID_SOCKET) {
        PostResults(connection, server, cookie, list, count);
        closesocket(connection);
    }
    WSACleanup();
}
