// Reading the server address a test may give instead of the logbook's.
#include "logbook/logbook_server.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

bool ChooseLogbookServer(const char* address, LogbookServer* server) {
    *server = {};
    if (address == nullptr || address[0] == '\0') address = LOGBOOK_SERVER;
    const char* rest;
    if (strncmp(address, "https://", 8) == 0) {
        server->secure = true;
        server->port = 443;
        rest = address + 8;
    } else if (strncmp(address, "http://", 7) == 0) {
        server->port = 80;
        rest = address + 7;
    } else {
        return false;
    }
    const size_t hostLength = strcspn(rest, ":/");
    if (hostLength == 0 || hostLength >= sizeof server->host) return false;
    memcpy(server->host, rest, hostLength);
    rest += hostLength;
    if (*rest == ':') {
        char* end;
        const long port = strtol(rest + 1, &end, 10);
        if (end == rest + 1 || port < 1 || port > 65535) return false;
        server->port = (int)port;
        rest = end;
    }
    if (strcmp(rest, "") != 0 && strcmp(rest, "/") != 0) return false;
    // Tokens and results never travel unencrypted beyond this machine.
    if (!server->secure && strcmp(server->host, "127.0.0.1") != 0) return false;
    snprintf(server->origin, sizeof server->origin, "%s://%s:%d", server->secure ? "https" : "http",
             server->host, server->port);
    return true;
}
