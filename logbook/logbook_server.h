// Where the online logbook lives and the names of its web interface, all in one place, so
// that a correction is one line.
#pragma once

const char LOGBOOK_SERVER[] = "https://log.concept2.com";
// The maker's development server, for trying a client key out (set TAMSI_LOGBOOK_SERVER).
const char LOGBOOK_DEV_SERVER[] = "https://log-dev.concept2.com";
const char LOGBOOK_ACCEPT[] = "application/vnd.c2logbook.v1+json";
const char LOGBOOK_AUTHORIZE_PATH[] = "/oauth/authorize";
const char LOGBOOK_TOKEN_PATH[] = "/oauth/access_token";
const char LOGBOOK_USER_PATH[] = "/api/users/me";
const char LOGBOOK_RESULTS_PATH[] = "/api/users/me/results";
const char LOGBOOK_SCOPE[] = "user:read,results:write";
// The loopback address the browser comes back to: "http://localhost:PORT/callback".
const char LOGBOOK_CALLBACK_PATH[] = "/callback";
// Points everything at another server; plain http is taken for 127.0.0.1 only.
const char LOGBOOK_SERVER_VARIABLE[] = "TAMSI_LOGBOOK_SERVER";

struct LogbookServer {
    bool secure;  // https
    char host[256];
    int port;
    char origin[300];  // "scheme://host:port", the start of every address
};

// Takes "https://host[:port]" or "http://127.0.0.1:port" (a trailing "/" allowed); NULL or ""
// gives the logbook. False for anything else, the server left unusable.
bool ChooseLogbookServer(const char* address, LogbookServer* server);
