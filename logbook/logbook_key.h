// This copy's logbook key and loopback port, set when Tamsi is built (see the README).
#pragma once

extern const char* const logbookClientId;      // "" when this copy has no key
extern const char* const logbookClientSecret;
extern const int logbookRedirectPort;  // the browser comes back to http://localhost:PORT/callback
