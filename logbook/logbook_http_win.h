// One request to the logbook over WinHTTP, the platform's HTTP client. Blocks; for threads.
#pragma once
#include <windows.h>

#include <string>

#include "logbook/logbook_server.h"

struct HttpAnswer {
    int status;        // the HTTP status, 0 when the server could not be reached
    DWORD error;       // the WinHTTP error when status is 0
    std::string body;
};

// Sends method path (with the logbook's Accept header) and reads the whole answer. bearer,
// when not empty, is the access token; contentType goes with a body.
HttpAnswer AskLogbook(const LogbookServer& server, const char* method, const std::string& path,
                      const char* contentType, const std::string& body, const std::string& bearer);
