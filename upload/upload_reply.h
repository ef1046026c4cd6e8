// Judging the online log's answers: one HTTP reply per posted result, read as it arrives.
#pragma once
#include <stddef.h>

const int REPLY_LINE_SIZE = 256;          // longer lines are kept cut to this size
const long REPLY_HEAD_LIMIT = 64 * 1024;  // status line and headers of one reply, at most

enum ReplyOutcome {
    REPLIES_PENDING,     // more bytes are needed
    REPLIES_ACCEPTED,    // every expected reply arrived whole with a 2xx or 3xx status
    REPLIES_REJECTED,    // a reply carried another status; statusLine holds it
    REPLIES_UNREADABLE,  // the bytes are no HTTP reply; statusLine holds the offending line
    REPLIES_CLOSED,      // the connection closed before every reply had arrived
};

// The state of the judgement: which part of which reply the next byte belongs to.
struct ReplyJudge {
    int expected;                      // replies the posts asked for
    int accepted;                      // whole replies with a 2xx or 3xx status so far
    ReplyOutcome outcome;              // once not pending, further bytes are ignored
    char statusLine[REPLY_LINE_SIZE];  // of the reply being read, or the deciding one

    int part;            // which part of the reply is being read (see upload_reply.cpp)
    int status;          // status code of the reply being read
    bool chunked;        // its body comes in chunks
    bool hasLength;      // it carries a Content-Length
    bool toClose;        // a transfer coding other than chunked: the body runs to the close
    long long bodyLeft;  // bytes of the body (or of the chunk) still to come
    long headBytes;      // bytes of status line and headers so far
    bool closing;        // the server closes the connection after this reply
    char line[REPLY_LINE_SIZE];
    int lineLength;
};

// Starts the judgement of the replies to expected posts; none expected is accepted at once.
void StartReplyJudge(ReplyJudge* judge, int expected);
// Takes the next bytes the server sent.
void FeedReplyJudge(ReplyJudge* judge, const char* data, size_t size);
// The server closed the connection: a body that runs to the close ends here, anything still
// missing makes the outcome REPLIES_CLOSED.
void EndReplyJudge(ReplyJudge* judge);

// The whole judgement in one call: the bytes received, and whether the connection closed after
// them. Fills judge and returns its outcome.
ReplyOutcome JudgeReplies(const char* data, size_t size, int expected, bool closed,
                          ReplyJudge* judge);

// The text that tells the rower what went wrong with result number of total, for an outcome
// that is neither pending nor accepted: the status line the server answered with, or that it
// closed before answering.
void FormatReplyProblem(const ReplyJudge& judge, int number, int total, char* text, size_t size);

// How long a reply is awaited: at most idle between two bytes, and at most deadline in all,
// so that a server trickling bytes cannot hold the upload.
const unsigned REPLY_IDLE_MS = 30000;
const unsigned REPLY_DEADLINE_MS = 60000;
// The wait left for more of a reply, sinceRequest after the request went out and sinceByte
// after its last byte came (or the request, before any): 0 once either limit is reached.
unsigned ReplyWaitLeft(unsigned sinceRequest, unsigned sinceByte, unsigned deadline, unsigned idle);
