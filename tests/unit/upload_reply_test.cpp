// What a rower is told about each upload: the server's answers judged whole, and the words of
// a refusal; and what a lightweight's result says about her.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "upload/ranking_server.h"
#include "upload/upload_reply.h"
#include "upload/upload_request.h"

namespace {

TEST(UploadReplyProblem, EachAnswerIsJudgedAndARefusalNamesItsResult) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
    const struct {
        std::string bytes; int expected; bool closed; const char* told;
    } cases[] = {  // the bytes, the results posted, whether the server closed, what the rower is
                   // told of the last result posted
        {"HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n", 1, false,
         "The online log did not take result 1 of 1: HTTP/1.1 400 Bad Request\n"},
        {ok + "\r\n" + ok, 2, false, ""},  // an empty line before the next status line
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\n0123456789abcdef\r\n0\r\n\r\n",
         1, false, ""},  // sizes are hexadecimal
        {ok, 2, true, "The server closed the connection before answering result 2 of 2.\n"},
        {ok + "HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\n", 2, false,
         "The online log's answer to result 2 of 2 is not understood: Content-Length: x\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        ReplyJudge judge;
        const ReplyOutcome outcome =
            JudgeReplies(c.bytes.data(), c.bytes.size(), c.expected, c.closed, &judge);
        char told[512] = "";
        if (outcome != REPLIES_ACCEPTED)
            FormatReplyProblem(judge, c.expected, c.expected, told, sizeof told);
        EXPECT_STREQ(told, c.told);
    }
}

TEST(UploadRequestBody, ALightweightsResultGoesOutAsSuchWithItsWholeMetres) {
    char body[UPLOAD_BODY_SIZE];
    FormatUploadBody({1234567890, 48000, 0, 0, 1999.9f}, "standard", 'L', body, sizeof body);
    EXPECT_NE(strstr(body, "rr_distance=1999&"), nullptr) << body;
    EXPECT_NE(strstr(body, "&rr_weight_class=L&"), nullptr) << body;
    RankingServer server = {};
    ASSERT_TRUE(ChooseRankingServer("", &server));
    EXPECT_STREQ(server.hostHeader, "www.concept2.com");
}

}  // namespace
