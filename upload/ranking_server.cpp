// The online ranking server's address, and the test override that replaces it.
#include "upload/ranking_server.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

const char rankingServerHost[] = "www.concept2.com";
const char RANKING_SERVER_VARIABLE[] = "TAMSI_RANKING_SERVER";

static bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

static void SetHostHeader(RankingServer* server) {
    if (server->port == RANKING_SERVER_PORT) {
        snprintf(server->hostHeader, sizeof server->hostHeader, "%s", server->host);
    } else {
        snprintf(server->hostHeader, sizeof server->hostHeader, "%s:%u", server->host,
                 (unsigned)server->port);
    }
}

bool ChooseRankingServer(const char* override, RankingServer* server) {
    if (override == nullptr || override[0] == '\0') {
        snprintf(server->host, sizeof server->host, "%s", rankingServerHost);
        server->port = RANKING_SERVER_PORT;
        SetHostHeader(server);
        return true;
    }
    // Only characters of a host name: the host goes into the Host header line as it is.
    const char* colon = strchr(override, ':');
    const size_t hostLength = colon ? (size_t)(colon - override) : 0;
    if (hostLength == 0 || hostLength >= sizeof server->host) return false;
    for (size_t i = 0; i < hostLength; ++i) {
        if (!IsHostCharacter(override[i])) return false;
    }
    const char* digits = colon + 1;
    if (digits[0] < '0' || digits[0] > '9' || strlen(digits) > 5) return false;
    char* end = nullptr;
    const long port = strtol(digits, &end, 10);
    if (*end != '\0' || port < 1 || port > 65535) return false;
    memcpy(server->host, override, hostLength);
    server->host[hostLength] = '\0';
    server->port = (unsigned short)port;
    SetHostHeader(server);
    return true;
}
