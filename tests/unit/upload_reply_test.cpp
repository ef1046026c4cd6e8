// Judging the online log's replies: whole, split anywhere, chunked, pipelined and cut short.
#include <gtest/gtest.h>

#include <string>

#include "upload/upload_reply.h"

namespace {

const std::string OK = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nThank";
const std::string CHUNKED =
    "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;x=y\r\nHTTP\r\nA\r\n0123456789\r\n"
    "0\r\nTrailer: z\r\n\r\n";

struct ReplyCase {
    const char* name;
    std::string bytes;
    int expected;  // replies the posts asked for
    bool closed;   // the server closed after the bytes
    ReplyOutcome outcome;
    int accepted;
    const char* statusLine;  // checked unless null
};

const ReplyCase CASES[] = {
    {"one whole reply", OK, 1, false, REPLIES_ACCEPTED, 1, "HTTP/1.1 200 OK"},
    {"a redirect after the form", "HTTP/1.0 302 Found\r\nLocation: /x\r\nContent-Length: 0\r\n\r\n",
     1, false, REPLIES_ACCEPTED, 1, nullptr},
    {"three pipelined", OK + OK + CHUNKED, 3, false, REPLIES_ACCEPTED, 3, nullptr},
    {"interim 100 first", "HTTP/1.1 100 Continue\r\n\r\n" + OK, 1, false, REPLIES_ACCEPTED, 1,
     nullptr},
    {"no content: no body", "HTTP/1.1 204 No Content\r\n\r\n" + OK, 2, false, REPLIES_ACCEPTED, 2,
     nullptr},
    {"body to the close", "HTTP/1.0 200 OK\r\n\r\n<html>whatever</html>", 1, true, REPLIES_ACCEPTED,
     1, nullptr},
    {"server error", "HTTP/1.1 500 Internal Server Error\r\n\r\n", 1, false, REPLIES_REJECTED, 0,
     "HTTP/1.1 500 Internal Server Error"},
    {"second of two refused", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokHTTP/1.1 403 No\r\n",
     2, false, REPLIES_REJECTED, 1, "HTTP/1.1 403 No"},
    {"first of three, then closed", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", 3, true,
     REPLIES_CLOSED, 1, nullptr},
    {"closed before answering", "", 1, true, REPLIES_CLOSED, 0, nullptr},
    {"body cut short", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nshort", 1, true,
     REPLIES_CLOSED, 0, nullptr},
    {"waiting for the body", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nshort", 1, false,
     REPLIES_PENDING, 0, nullptr},
    {"not HTTP", "<html>Hello</html>\n", 1, false, REPLIES_UNREADABLE, 0, "<html>Hello</html>"},
    {"two different lengths", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\ncontent-length: 3\r\n\r\n",
     1, false, REPLIES_UNREADABLE, 0, nullptr},
    {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", 1, false,
     REPLIES_UNREADABLE, 0, nullptr},
    {"endless headers", "HTTP/1.1 200 OK\r\n" + std::string(70000, 'h'), 1, false,
     REPLIES_UNREADABLE, 0, nullptr},
    {"nothing expected", "", 0, false, REPLIES_ACCEPTED, 0, nullptr},
};

TEST(UploadReply, WholeRepliesAreJudged) {
    for (const ReplyCase& c : CASES) {
        ReplyJudge judge;
        EXPECT_EQ(JudgeReplies(c.bytes.data(), c.bytes.size(), c.expected, c.closed, &judge),
                  c.outcome)
            << c.name;
        EXPECT_EQ(judge.accepted, c.accepted) << c.name;
        if (c.statusLine) {
            EXPECT_STREQ(judge.statusLine, c.statusLine) << c.name;
        }
    }
}

TEST(UploadReply, SplitAnywhereGivesTheSameJudgement) {
    for (const ReplyCase& c : CASES) {
        for (size_t piece : {1, 2, 7}) {
            ReplyJudge judge;
            StartReplyJudge(&judge, c.expected);
            for (size_t at = 0; at < c.bytes.size(); at += piece) {
                FeedReplyJudge(&judge, c.bytes.data() + at, std::min(piece, c.bytes.size() - at));
            }
            if (c.closed) EndReplyJudge(&judge);
            EXPECT_EQ(judge.outcome, c.outcome) << c.name << " in pieces of " << piece;
            EXPECT_EQ(judge.accepted, c.accepted) << c.name << " in pieces of " << piece;
        }
    }
}

TEST(UploadReply, ProblemTextsNameTheResultAndShowOnlyPrintableCharacters) {
    ReplyJudge judge;
    JudgeReplies(OK.data(), OK.size(), 3, true, &judge);
    char text[300];
    FormatReplyProblem(judge, text, sizeof text);
    EXPECT_STREQ(text, "The server closed the connection before answering result 2 of 3.\n");
    const std::string refused = "HTTP/1.1 500 Bad\x07\x1b[2J\r\n";
    JudgeReplies(refused.data(), refused.size(), 1, false, &judge);
    FormatReplyProblem(judge, text, sizeof text);
    EXPECT_STREQ(text, "The online log did not take result 1 of 1: HTTP/1.1 500 Bad??[2J\n");
}

}  // namespace
