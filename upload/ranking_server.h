// Where the results go: the online ranking server, or a test server named by the environment.
#pragma once
#include <stddef.h>

// The online ranking server's host name; it listens on port 80.
extern const char rankingServerHost[];
const unsigned short RANKING_SERVER_PORT = 80;
// The environment variable through which tests send to a server of their own ("host:port").
extern const char RANKING_SERVER_VARIABLE[];

struct RankingServer {
    char host[256];        // a host name or a dotted IPv4 address
    unsigned short port;   // TCP port
    char hostHeader[262];  // the Host header's value: the host, and ":port" unless it is 80
};

// Fills server from the test override "host:port" when there is one, or with the online
// ranking server when override is null or empty. Returns false for an override that is not a
// plain host name (letters, digits, dots, hyphens) and a port from 1 to 65535.
bool ChooseRankingServer(const char* override, RankingServer* server);
