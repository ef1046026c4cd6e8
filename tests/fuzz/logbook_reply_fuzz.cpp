// Fuzzes the judging of the online logbook's replies and the browser's return: any status and
// body give a verdict without a crash; only a success carries what it must; a refusal's words
// stay short; a code comes only with the right path and state; the files read back whole.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "logbook/logbook_oauth.h"
#include "logbook/logbook_records.h"
#include "logbook/logbook_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int status = 100 + (data[0] | (data[1] & 3) << 8) % 500;
    const std::string body(reinterpret_cast<const char*>(data) + 2, size - 2);

    LogbookTokens tokens;
    const LogbookReply token = JudgeTokenReply(status, body, &tokens);
    if (token.verdict == LOGBOOK_ACCEPTED &&
        (tokens.accessToken.empty() || tokens.refreshToken.empty() || status >= 300))
        abort();
    std::string name, id;
    const LogbookReply user = JudgeUserReply(status, body, &name);
    if (user.verdict == LOGBOOK_ACCEPTED && name.empty()) abort();
    const LogbookReply result = JudgeResultReply(status, body, &id);
    if (result.verdict == LOGBOOK_ACCEPTED && (id.empty() || status < 200 || status >= 300)) abort();
    for (const LogbookReply* reply : {&token, &user, &result}) {
        if (reply->message.size() > 400) abort();
        if (reply->verdict == LOGBOOK_REFUSED && reply->message.empty()) abort();
    }

    std::string code;
    const CallbackVerdict verdict = JudgeCallback(body.data(), body.size(), "S1", &code);
    if (verdict == CALLBACK_CODE && (code.empty() || body.compare(0, 14, "GET /callback?") != 0))
        abort();

    for (const SentResult& sent : ParseSentRecord(body))
        if (ParseSentRecord(FormatSentLine(sent.startTime, sent.id)).size() != 1) abort();
    TokenFile file, again;
    if (ParseTokenFile(body, &file) &&
        (!ParseTokenFile(FormatTokenFile(file), &again) || again.protectedToken != file.protectedToken))
        abort();
    return 0;
}
