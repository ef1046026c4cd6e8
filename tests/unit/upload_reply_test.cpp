// Judging the online log's replies: whole, split anywhere, chunked, pipelined and cut short.
#include <gtest/gtest.h>

#include <string>

#include "upload/upload_reply.h"

namespace {

const std::string OK = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nThank";
const std::string CHUNKED =
    "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;x=y\r\nHTTP\r\n"
    "A\r\n0123456789\r\n0\r\nTrailer: z\r\n\r\n";

TEST(UploadReply, RepliesAreJudgedWholeOrSplitAnywhere) {
    const struct {
        std::string bytes;
        int expected;  // replies the posts asked for
        bool closed;   // the server closed after the bytes
        ReplyOutcome outcome;
        int accepted;
    } cases[] = {
        {OK + OK + CHUNKED, 3, false, REPLIES_ACCEPTED, 3},
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n", 1, false,
         REPLIES_ACCEPTED, 1},
        {"HTTP/1.1 204 No Content\r\n\r\n" + OK, 2, false, REPLIES_ACCEPTED, 2},
        {"HTTP/1.0 200 OK\r\n\r\n<html>to the close</html>", 1, true, REPLIES_ACCEPTED, 1},
        {"HTTP/1.0 200 OK\r\n\r\n<html>to the close</html>", 1, false, REPLIES_PENDING, 0},
        {OK + "HTTP/1.1 500 Internal Server Error\r\n", 2, false, REPLIES_REJECTED, 1},
        {OK, 3, true, REPLIES_CLOSED, 1},
        {"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nshort", 1, true, REPLIES_CLOSED, 0},
        {CHUNKED.substr(0, 60), 1, true, REPLIES_CLOSED, 0},
        {"<html>Hello</html>\n", 1, false, REPLIES_UNREADABLE, 0},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nokX\r\n", 1, false,
         REPLIES_UNREADABLE, 0},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\ncontent-length: 3\r\n\r\n", 1, false,
         REPLIES_UNREADABLE, 0},
        {"HTTP/1.1 200 OK\r\n" + std::string(70000, 'h'), 1, false, REPLIES_UNREADABLE, 0},
    };
    for (const auto& c : cases) {
        for (size_t piece : {c.bytes.size(), size_t(1), size_t(7)}) {
            ReplyJudge judge;
            StartReplyJudge(&judge, c.expected);
            for (size_t at = 0; at < c.bytes.size(); at += piece) {
                FeedReplyJudge(&judge, c.bytes.data() + at, std::min(piece, c.bytes.size() - at));
            }
            if (c.closed) EndReplyJudge(&judge);
            EXPECT_EQ(judge.outcome, c.outcome) << c.bytes.substr(0, 60) << " / " << piece;
            EXPECT_EQ(judge.accepted, c.accepted) << c.bytes.substr(0, 60) << " / " << piece;
        }
    }
}

TEST(UploadReply, ProblemTextsNameTheResultAndTheServersPrintableStatusLine) {
    ReplyJudge judge;
    char text[300];
    JudgeReplies(OK.data(), OK.size(), 3, true, &judge);
    FormatReplyProblem(judge, text, sizeof text);
    EXPECT_STREQ(text, "The server closed the connection before answering result 2 of 3.\n");
    const std::string refused = "HTTP/1.1 500 Bad\x07\x1b[2J\r\n";
    JudgeReplies(refused.data(), refused.size(), 1, false, &judge);
    FormatReplyProblem(judge, text, sizeof text);
    EXPECT_STREQ(text, "The online log did not take result 1 of 1: HTTP/1.1 500 Bad??[2J\n");
}

}  // namespace
