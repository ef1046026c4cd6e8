// The replies' JSON, read with nlohmann-json without exceptions escaping: a wrong type or a
// missing field is a malformed reply, never a crash.
#include "logbook/logbook_reply.h"

#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

const size_t MESSAGE_SIZE = 400;

json Parse(const std::string& body) {
    return json::parse(body, nullptr, false);  // a discarded value when it is not JSON
}

// The logbook wraps its objects in "data"; token replies are bare.
const json& Data(const json& reply) {
    return reply.is_object() && reply.contains("data") ? reply["data"] : reply;
}

// A text field, or with numbers a whole-number field as its digits; "" otherwise.
std::string Text(const json& object, const char* key, bool numbers = false) {
    if (!object.is_object() || !object.contains(key)) return "";
    const json& value = object[key];
    if (value.is_string()) return value.get<std::string>();
    if (numbers && value.is_number_integer()) return std::to_string(value.get<int64_t>());
    return "";
}

// The server's words for a refusal: its message, the OAuth error's description, or the
// first field error; else the status.
std::string RefusalMessage(int status, const json& reply) {
    std::string message = Text(reply, "message");
    if (message.empty()) message = Text(reply, "error_description");
    if (message.empty()) message = Text(reply, "error");
    if (reply.is_object() && reply.contains("errors") && reply["errors"].is_object()) {
        for (const auto& field : reply["errors"].items()) {
            const json& list = field.value();
            const json& first = list.is_array() && !list.empty() ? list[0] : list;
            if (!first.is_string()) continue;
            message += (message.empty() ? "" : "\n") + first.get<std::string>();
            break;
        }
    }
    if (message.empty()) message = "The server answered " + std::to_string(status) + ".";
    if (message.size() > MESSAGE_SIZE) message.resize(MESSAGE_SIZE);
    return message;
}

// The verdict on the status alone; LOGBOOK_ACCEPTED for a 2xx, to be checked further.
LogbookReply JudgeStatus(int status, const json& reply, LogbookVerdict unauthorised) {
    if (status >= 200 && status < 300) return {LOGBOOK_ACCEPTED, ""};
    if (status == 401) return {unauthorised, RefusalMessage(status, reply)};
    return {LOGBOOK_REFUSED, RefusalMessage(status, reply)};
}

}  // namespace

LogbookReply JudgeTokenReply(int status, const std::string& body, LogbookTokens* tokens) {
    const json reply = Parse(body);
    LogbookReply judged = JudgeStatus(status, reply, LOGBOOK_KEY_REFUSED);
    // A refused grant is the permission withdrawn or the key withdrawn: connect again.
    if (status == 400 && Text(reply, "error") == "invalid_grant") judged.verdict = LOGBOOK_KEY_REFUSED;
    if (judged.verdict != LOGBOOK_ACCEPTED) return judged;
    tokens->accessToken = Text(reply, "access_token");
    tokens->refreshToken = Text(reply, "refresh_token");
    const bool lifetime = reply.is_object() && reply.contains("expires_in") &&
                          reply["expires_in"].is_number_integer();
    tokens->expiresIn = lifetime ? reply["expires_in"].get<int64_t>() : 0;
    if (tokens->accessToken.empty() || tokens->refreshToken.empty()) judged.verdict = LOGBOOK_MALFORMED;
    return judged;
}

LogbookReply JudgeUserReply(int status, const std::string& body, std::string* name) {
    const json reply = Parse(body);
    LogbookReply judged = JudgeStatus(status, reply, LOGBOOK_UNAUTHORISED);
    if (judged.verdict != LOGBOOK_ACCEPTED) return judged;
    const json& user = Data(reply);
    const std::string first = Text(user, "first_name"), last = Text(user, "last_name");
    *name = first + (first.empty() || last.empty() ? "" : " ") + last;
    if (name->empty()) *name = Text(user, "username");
    if (name->empty()) judged.verdict = LOGBOOK_MALFORMED;
    return judged;
}

LogbookReply JudgeResultReply(int status, const std::string& body, std::string* id) {
    const json reply = Parse(body);
    LogbookReply judged = JudgeStatus(status, reply, LOGBOOK_UNAUTHORISED);
    if (judged.verdict != LOGBOOK_ACCEPTED) return judged;
    *id = Text(Data(reply), "id", true);
    if (id->empty()) judged.verdict = LOGBOOK_MALFORMED;
    return judged;
}
