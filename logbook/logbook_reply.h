// Judging the logbook's replies: the HTTP status and the JSON body of a token request, the
// rower's name, a created result. Window-free; a body may be anything at all.
#pragma once
#include <stdint.h>

#include <string>

enum LogbookVerdict {
    LOGBOOK_ACCEPTED,
    LOGBOOK_UNAUTHORISED,  // the access token is no longer good (401)
    LOGBOOK_KEY_REFUSED,   // a token request refused: the permission or the key is gone
    LOGBOOK_REFUSED,       // the request refused; message holds the server's words
    LOGBOOK_MALFORMED,     // a success whose body lacks what it must carry
};

struct LogbookReply {
    LogbookVerdict verdict;
    std::string message;  // the server's own words for a refusal, cut to a box's size
};

struct LogbookTokens {
    std::string accessToken;
    std::string refreshToken;
    int64_t expiresIn;  // seconds; 0 when the reply did not say
};

// A reply to POST /oauth/access_token.
LogbookReply JudgeTokenReply(int status, const std::string& body, LogbookTokens* tokens);
// A reply to GET /api/users/me: name gets "First Last", or the user name.
LogbookReply JudgeUserReply(int status, const std::string& body, std::string* name);
// A reply to POST /api/users/me/results: id gets the new result's id as text.
LogbookReply JudgeResultReply(int status, const std::string& body, std::string* id);
