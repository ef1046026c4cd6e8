// WinHTTP requests: the system's proxy and certificate checks for the logbook, no proxy for
// the loopback address a test's server listens on.
#include "logbook/logbook_http_win.h"

#include <winhttp.h>

namespace {

// Resolve, connect, send and receive may each take this long before the request fails.
const int RESOLVE_MS = 15000, CONNECT_MS = 15000, SEND_MS = 30000, RECEIVE_MS = 30000;

std::wstring Wide(const std::string& text) {
    std::wstring wide;
    for (unsigned char c : text) wide += (wchar_t)c;  // every text here is plain ASCII
    return wide;
}

struct Handles {
    HINTERNET session = NULL, connection = NULL, request = NULL;
    ~Handles() {
        if (request) WinHttpCloseHandle(request);
        if (connection) WinHttpCloseHandle(connection);
        if (session) WinHttpCloseHandle(session);
    }
};

}  // namespace

HttpAnswer AskLogbook(const LogbookServer& server, const char* method, const std::string& path,
                      const char* contentType, const std::string& body, const std::string& bearer) {
    HttpAnswer answer = {0, 0, ""};
    Handles h;
    h.session = WinHttpOpen(L"Tamsi",
                            server.secure ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY
                                          : WINHTTP_ACCESS_TYPE_NO_PROXY,
                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (h.session) WinHttpSetTimeouts(h.session, RESOLVE_MS, CONNECT_MS, SEND_MS, RECEIVE_MS);
    if (h.session)
        h.connection = WinHttpConnect(h.session, Wide(server.host).c_str(),
                                      (INTERNET_PORT)server.port, 0);
    if (h.connection)
        h.request = WinHttpOpenRequest(h.connection, Wide(method).c_str(), Wide(path).c_str(),
                                       NULL, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                       server.secure ? WINHTTP_FLAG_SECURE : 0);
    std::string headers = std::string("Accept: ") + LOGBOOK_ACCEPT + "\r\n";
    if (contentType) headers += std::string("Content-Type: ") + contentType + "\r\n";
    if (!bearer.empty()) headers += "Authorization: Bearer " + bearer + "\r\n";
    const std::wstring wideHeaders = Wide(headers);
    const DWORD length = (DWORD)body.size();
    bool done = h.request &&
                WinHttpSendRequest(h.request, wideHeaders.c_str(), (DWORD)wideHeaders.size(),
                                   length ? (LPVOID)body.data() : WINHTTP_NO_REQUEST_DATA, length,
                                   length, 0) &&
                WinHttpReceiveResponse(h.request, NULL);
    DWORD status = 0, size = sizeof status;
    done = done && WinHttpQueryHeaders(h.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                       WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                                       WINHTTP_NO_HEADER_INDEX);
    char chunk[4096];
    for (DWORD got = 1; done && got > 0;) {
        done = WinHttpReadData(h.request, chunk, sizeof chunk, &got);
        if (done) answer.body.append(chunk, got);
    }
    if (!done) {
        answer.error = GetLastError();
        return answer;
    }
    answer.status = (int)status;
    return answer;
}
