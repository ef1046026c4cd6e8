// The rower's permission by OAuth 2's authorisation-code flow: the random state, the
// authorise address for the browser, the request the browser brings back to the loopback
// listener, and the token requests' form bodies. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "logbook/logbook_server.h"

const int OAUTH_STATE_BYTES = 16;

// Percent-encodes everything but letters, digits and "-._~".
std::string EncodeUrlValue(const std::string& value);
// Undoes EncodeUrlValue, a '+' as a blank; false for a broken escape.
bool DecodeUrlValue(const std::string& value, std::string* decoded);

// The state as 32 lowercase hex digits of random bytes.
std::string FormatOAuthState(const uint8_t random[OAUTH_STATE_BYTES]);
// "http://localhost:PORT/callback".
std::string FormatRedirectUri(int port);
std::string FormatAuthorizeUrl(const LogbookServer& server, const char* clientId,
                               const std::string& redirectUri, const std::string& state);
std::string FormatCodeExchange(const std::string& code, const char* clientId,
                               const char* clientSecret, const std::string& redirectUri);
std::string FormatTokenRefresh(const std::string& refreshToken, const char* clientId,
                               const char* clientSecret);

enum CallbackVerdict {
    CALLBACK_INCOMPLETE,   // the request line has not all come yet
    CALLBACK_CODE,         // the right path and state with a code
    CALLBACK_DENIED,       // the right path and state, the rower said no (or no code)
    CALLBACK_WRONG_STATE,  // the right path, another state: not our flow
    CALLBACK_WRONG_PATH,   // anything else, a favicon for instance
};

// Judges what the browser sent to the listener so far; code gets the code for CALLBACK_CODE.
CallbackVerdict JudgeCallback(const char* request, size_t length, const std::string& state,
                              std::string* code);
