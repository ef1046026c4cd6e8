// The OAuth addresses and forms, and the judging of the browser's return.
#include "logbook/logbook_oauth.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

std::string EncodeUrlValue(const std::string& value) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : value) {
        if (isalnum(c) || strchr("-._~", c) != nullptr) {
            encoded += (char)c;
        } else {
            encoded += '%';
            encoded += HEX[c >> 4];
            encoded += HEX[c & 15];
        }
    }
    return encoded;
}

static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool DecodeUrlValue(const std::string& value, std::string* decoded) {
    decoded->clear();
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '+') {
            *decoded += ' ';
        } else if (value[i] != '%') {
            *decoded += value[i];
        } else {
            const int high = i + 2 < value.size() ? HexDigit(value[i + 1]) : -1;
            const int low = high >= 0 ? HexDigit(value[i + 2]) : -1;
            if (low < 0) return false;
            *decoded += (char)(high * 16 + low);
            i += 2;
        }
    }
    return true;
}

std::string FormatOAuthState(const uint8_t random[OAUTH_STATE_BYTES]) {
    char hex[2 * OAUTH_STATE_BYTES + 1];
    for (int i = 0; i < OAUTH_STATE_BYTES; ++i) snprintf(hex + 2 * i, 3, "%02x", random[i]);
    return hex;
}

std::string FormatRedirectUri(int port) {
    return "http://localhost:" + std::to_string(port) + LOGBOOK_CALLBACK_PATH;
}

std::string FormatAuthorizeUrl(const LogbookServer& server, const char* clientId,
                               const std::string& redirectUri, const std::string& state) {
    return std::string(server.origin) + LOGBOOK_AUTHORIZE_PATH +
           "?client_id=" + EncodeUrlValue(clientId) +
           "&redirect_uri=" + EncodeUrlValue(redirectUri) +
           "&response_type=code&scope=" + EncodeUrlValue(LOGBOOK_SCOPE) +
           "&state=" + EncodeUrlValue(state);
}

std::string FormatCodeExchange(const std::string& code, const char* clientId,
                               const char* clientSecret, const std::string& redirectUri) {
    return "grant_type=authorization_code&code=" + EncodeUrlValue(code) +
           "&client_id=" + EncodeUrlValue(clientId) +
           "&client_secret=" + EncodeUrlValue(clientSecret) +
           "&redirect_uri=" + EncodeUrlValue(redirectUri);
}

std::string FormatTokenRefresh(const std::string& refreshToken, const char* clientId,
                               const char* clientSecret) {
    return "grant_type=refresh_token&refresh_token=" + EncodeUrlValue(refreshToken) +
           "&client_id=" + EncodeUrlValue(clientId) +
           "&client_secret=" + EncodeUrlValue(clientSecret);
}

// The decoded value of name in a query "a=1&b=2"; false when it is missing or broken.
static bool QueryValue(const std::string& query, const char* name, std::string* value) {
    const std::string key = std::string(name) + "=";
    for (size_t start = 0; start <= query.size();) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        if (query.compare(start, key.size(), key) == 0)
            return DecodeUrlValue(query.substr(start + key.size(), end - start - key.size()), value);
        start = end + 1;
    }
    return false;
}

CallbackVerdict JudgeCallback(const char* request, size_t length, const std::string& state,
                              std::string* code) {
    const char* lineEnd = (const char*)memchr(request, '\n', length);
    if (lineEnd == nullptr) return CALLBACK_INCOMPLETE;
    const std::string line(request, (size_t)(lineEnd - request));
    const std::string prefix = std::string("GET ") + LOGBOOK_CALLBACK_PATH;
    const size_t target = line.find(' ', 4);
    if (line.compare(0, prefix.size(), prefix) != 0 || target == std::string::npos)
        return CALLBACK_WRONG_PATH;
    const std::string path = line.substr(4, target - 4);
    const size_t question = path.find('?');
    if (path.substr(0, question) != LOGBOOK_CALLBACK_PATH) return CALLBACK_WRONG_PATH;
    const std::string query = question == std::string::npos ? "" : path.substr(question + 1);
    std::string given;
    if (!QueryValue(query, "state", &given) || given != state) return CALLBACK_WRONG_STATE;
    if (!QueryValue(query, "code", code) || code->empty()) return CALLBACK_DENIED;
    return CALLBACK_CODE;
}
