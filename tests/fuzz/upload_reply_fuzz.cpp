// Fuzzes the reader of the online log's replies: any bytes, split anywhere, give the same
// judgement as in one piece; a closed connection always ends it; the texts stay terminated.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "upload/upload_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    int expected = data[0] % 8;
    bool closed = data[1] & 1;
    size_t piece = 1 + (data[1] >> 1) % 23;
    std::vector<char> bytes(data + 2, data + size);

    ReplyJudge whole;
    ReplyOutcome outcome = JudgeReplies(bytes.data(), bytes.size(), expected, closed, &whole);
    if (outcome != whole.outcome || (closed && outcome == REPLIES_PENDING)) abort();
    if (whole.accepted < 0 || whole.accepted > expected) abort();
    if ((outcome == REPLIES_ACCEPTED) != (whole.accepted == expected)) abort();
    if (!memchr(whole.statusLine, 0, sizeof whole.statusLine)) abort();

    // The network may cut the bytes anywhere; each piece in a buffer of its own size.
    ReplyJudge pieces;
    StartReplyJudge(&pieces, expected);
    for (size_t at = 0; at < bytes.size(); at += piece) {
        std::vector<char> part(bytes.begin() + at, bytes.begin() + std::min(at + piece, bytes.size()));
        FeedReplyJudge(&pieces, part.data(), part.size());
    }
    if (closed) EndReplyJudge(&pieces);
    if (pieces.outcome != outcome || pieces.accepted != whole.accepted) abort();
    if (pieces.closing != whole.closing) abort();
    if (strcmp(pieces.statusLine, whole.statusLine) != 0) abort();
    if (outcome != REPLIES_PENDING && outcome != REPLIES_ACCEPTED) {
        char text[512];
        FormatReplyProblem(whole, whole.accepted + 1, expected, text, sizeof text);
        if (!memchr(text, 0, sizeof text)) abort();
    }
    return 0;
}
