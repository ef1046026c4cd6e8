// A Connect waits for the browser, trades the code for tokens and asks the rower's name; a
// Send posts each result, renewing the access token once when the logbook says it is stale.
#include "logbook/logbook_worker_win.h"

#include <commctrl.h>

#include "logbook/logbook_http_win.h"
#include "logbook/logbook_listener_win.h"
#include "logbook/logbook_oauth.h"

namespace {

const char FORM[] = "application/x-www-form-urlencoded";
const char JSON[] = "application/json";

// Takes a reply's verdict into the job's problem; true when it was accepted.
bool Judged(LogbookJob* job, const HttpAnswer& answer, const LogbookReply& reply) {
    if (answer.status == 0) {
        job->problem = LOGBOOK_UNREACHABLE;
        job->detail = std::to_string(answer.error);
        return false;
    }
    switch (reply.verdict) {
    case LOGBOOK_ACCEPTED: return true;
    case LOGBOOK_UNAUTHORISED:
    case LOGBOOK_KEY_REFUSED: job->problem = LOGBOOK_KEY_GONE; break;
    case LOGBOOK_REFUSED: job->problem = LOGBOOK_RESULT_REFUSED; break;
    case LOGBOOK_MALFORMED: job->problem = LOGBOOK_NOT_UNDERSTOOD; break;
    }
    job->detail = reply.message;
    return false;
}

bool AskTokens(LogbookJob* job, const std::string& form) {
    const HttpAnswer answer = AskLogbook(job->server, "POST", LOGBOOK_TOKEN_PATH, FORM, form, "");
    LogbookTokens tokens;
    if (!Judged(job, answer, JudgeTokenReply(answer.status, answer.body, &tokens))) return false;
    job->accessToken = tokens.accessToken;
    // The newest refresh token is the one that works from now on.
    job->refreshToken = tokens.refreshToken;
    job->expiresIn = tokens.expiresIn;
    job->tokensChanged = true;
    return true;
}

bool Renew(LogbookJob* job) {
    return AskTokens(job, FormatTokenRefresh(job->refreshToken, job->clientId.c_str(),
                                             job->clientSecret.c_str()));
}

void Connect(LogbookJob* job) {
    std::string code;
    switch (WaitForCallback(job->listener, job->state, job->waitMs, job->cancelled, &code)) {
    case CALLBACK_GOT_CODE: break;
    case CALLBACK_REFUSED: job->problem = LOGBOOK_NO_PERMISSION; return;
    case CALLBACK_TIMED_OUT: job->problem = LOGBOOK_WAIT_ENDED; return;
    case CALLBACK_CANCELLED: job->problem = LOGBOOK_CANCELLED; return;
    }
    if (!AskTokens(job, FormatCodeExchange(code, job->clientId.c_str(), job->clientSecret.c_str(),
                                           job->redirectUri)))
        return;
    const HttpAnswer answer = AskLogbook(job->server, "GET", LOGBOOK_USER_PATH, NULL, "",
                                         job->accessToken);
    Judged(job, answer, JudgeUserReply(answer.status, answer.body, &job->rower));
}

// Posts result i; true when the logbook took it.
bool Post(LogbookJob* job, size_t i) {
    bool renewed = false;
    if (job->accessToken.empty()) {
        if (!Renew(job)) return false;
        renewed = true;
    }
    for (;;) {
        const HttpAnswer answer = AskLogbook(job->server, "POST", LOGBOOK_RESULTS_PATH, JSON,
                                             job->bodies[i], job->accessToken);
        const LogbookReply reply = JudgeResultReply(answer.status, answer.body, &job->ids[i]);
        // A stale access token is renewed once; a second refusal is the permission gone.
        if (answer.status != 0 && reply.verdict == LOGBOOK_UNAUTHORISED && !renewed) {
            if (!Renew(job)) return false;
            renewed = true;
            continue;
        }
        return Judged(job, answer, reply);
    }
}

void Send(LogbookJob* job) {
    for (size_t i = 0; i < job->bodies.size() && !job->cancelled; ++i) {
        if (!Post(job, i)) return;
        PostMessageA(job->notify, LOGBOOK_ACCEPTED_MESSAGE, (WPARAM)i, 0);
        if (job->progressBar) PostMessageA(job->progressBar, PBM_STEPIT, 0, 0);
    }
}

}  // namespace

unsigned __stdcall RunLogbookJob(void* parameter) {
    LogbookJob* job = static_cast<LogbookJob*>(parameter);
    if (job->kind == LOGBOOK_CONNECT) {
        Connect(job);
    } else {
        Send(job);
    }
    PostMessageA(job->notify, LOGBOOK_DONE_MESSAGE, 0, 0);
    return 0;
}
