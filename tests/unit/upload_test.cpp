// Sending results to the online log: which ones, the bytes posted, the cookie read from its
// file, the test server override, judging the replies however they are split, and the words
// of a refusal.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <time.h>

#include <string>
#include <vector>

#include "log/row_file_loader.h"
#include "upload/online_log.h"
#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_plan.h"
#include "upload/upload_reply.h"
#include "upload/upload_request.h"
#include "recorder_test_support.h"

namespace {

TEST(OnlineLog, SendsEveryResultRecordedAfterTheSecondOfTheLastUpload) {
    const int32_t startTimes[] = {500, 900, 1000, 1001, 700, 1200};
    logEntryCount = 6;
    for (int slot = 1; slot <= 6; ++slot) logEntries[slot].startTime = startTimes[slot - 1];
    static LogEntry* list[MAX_LOG_ENTRIES];
    ASSERT_EQ(CollectNewResults(list, 1000, 0), 2);
    EXPECT_EQ(list[0], &logEntries[4]);
    EXPECT_EQ(list[1], &logEntries[6]);
    ASSERT_EQ(CollectNewResults(list, 1000, 1001), 1);  // 1001 is still being recorded
    EXPECT_EQ(list[0], &logEntries[6]);
}

TEST(UploadPlan, OnlyAnUnbrokenRunOfAcceptedResultsCountsAsSent) {
    const struct { std::vector<int32_t> known, accepted; int32_t last; } cases[] = {  // after 100
        {{150, 200, 300}, {150, 200, 300}, 300},
        {{150, 200, 300}, {200, 300}, 100},  // a Send of the two newest: 150 is still unsent
        {{150, 200, 300}, {150, 300}, 150},  // 200 failed: 300 goes again next time
        {{150, 200, 999}, {150, 200}, 200},  // 999 is being recorded
        {{}, {120}, 120},                    // taken, and deleted since
        {{150, 300}, {50, 150, 150}, 150},   // older than the last upload, or taken twice
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdvanceLastUploadTime(100, c.known.data(), (int)c.known.size(), c.accepted.data(),
                                        (int)c.accepted.size()),
                  c.last);
}

TEST(UploadRequest, TheBodyCarriesTheResultAndItsLocalDateAsTheLogShowsIt) {
    recorder_test::LocalZone local("UTC");
    char body[UPLOAD_BODY_SIZE], header[UPLOAD_HEADER_SIZE];
    const LogEntry entry = {1234567890, 372345, 0, 0, NAN};  // 1:02:03.45, a damaged distance
    const std::string expected =
        "rr_distance=0&rr_time_hr=1&rr_time_min=2&rr_time_sec=3&rr_time_tenths=.4&txt_month=2"
        "&txt_day=13&txt_year=2009&rr_slide=slide&rr_weight_class=H&rr_comments=&rr_venue=IND";
    EXPECT_EQ(FormatUploadBody(entry, "slide", 'X', body, sizeof body), (int)expected.size());
    EXPECT_EQ(body, expected);  // 'X' from a damaged settings file goes out as heavyweight
    // A lightweight's result goes out as such, with its whole metres.
    FormatUploadBody({1234567890, 48000, 0, 0, 1999.9f}, "standard", 'L', body, sizeof body);
    EXPECT_NE(strstr(body, "rr_distance=1999&"), nullptr) << body;
    EXPECT_NE(strstr(body, "&rr_weight_class=L&"), nullptr) << body;
    FormatUploadHeader("www.concept2.com", "user=ABC", 174, header, sizeof header);
    EXPECT_STREQ(header,
                 "POST /sranking03/new_result2.asp HTTP/1.1\r\nHost: www.concept2.com\r\n"
                 "Cookie: user=ABC\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                 "Content-Length: 174\r\n\r\n");
}

TEST(UploadCookie, ValueOfTheUserLineEndsAtLineEnds) {
    auto cookie = [](const std::string& read) {  // the bytes read from the cookie file
        char text[COOKIE_TEXT_SIZE] = "";
        bool found = ParseUserCookie(read.data(), read.size(), text, sizeof text);
        return found ? std::string(text) : "none";
    };
    EXPECT_EQ(cookie("ASPSESSION\nX\nhost/\n*\nuser\nABC123\nhost/\n*\n"), "user=ABC123");
    EXPECT_EQ(cookie("user\nABC12"), "user=ABC1");  // the read's last byte is its line end
    EXPECT_EQ(cookie("user\nABC\r\nInjected: yes\n"), "user=ABC");
    EXPECT_EQ(cookie("superuser\nX\n*\n"), "none");
    EXPECT_EQ(cookie("user\n\nhost/\n"), "none");               // an empty value
    const std::string filler(COOKIE_FILE_READ_SIZE - 10, 'x');  // the read is 2048 bytes
    EXPECT_EQ(cookie(filler + "\nuser\nABCD"), "none");         // and may have cut the value
    EXPECT_EQ(cookie(filler + "\nuser\nABC\n"), "user=ABC");    // its last byte ends the value
    EXPECT_EQ(cookie("user\n" + std::string(1019, 'A') + "\n"), "none");  // longer than 1023
    EXPECT_EQ(cookie("user\n" + std::string(1018, 'A') + "\n").size(), 1023u);
}

TEST(RankingServerChoice, TheEnvironmentMayNameOnlyAPlainHostAndPort) {
    auto chosen = [](const char* override) {  // the Host header and the port
        RankingServer server = {};
        bool taken = ChooseRankingServer(override, &server);
        return taken ? server.hostHeader + std::string(" ") + std::to_string(server.port) : "no";
    };
    EXPECT_EQ(chosen(""), "www.concept2.com 80");
    EXPECT_EQ(chosen(nullptr), "www.concept2.com 80");
    EXPECT_EQ(chosen("127.0.0.1:8080"), "127.0.0.1:8080 8080");
    const std::string tooLong = std::string(256, 'h') + ":80";
    for (const char* bad : {"127.0.0.1", "host:65536", "bad\r\nX: y:80", tooLong.c_str()})
        EXPECT_EQ(chosen(bad), "no") << bad;
}

// Replies judged whole or split anywhere, and what the rower is told of the last result posted
// when they are not all taken.
TEST(UploadReply, RepliesAreJudgedWholeOrSplitAnywhereAndARefusalNamesItsResult) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nThank";
    const std::string chunked =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;x=y\r\nHTTP\r\n"
        "c\r\n0123456789ab\r\n0\r\nTrailer: z\r\n\r\n";
    const std::string toClose = "HTTP/1.0 200 OK\r\n\r\n<html>to the close</html>";
    const std::string notTaken = "The online log did not take result ";
    const struct {
        std::string bytes; int expected; bool closed; ReplyOutcome outcome; int accepted;
        bool closing; std::string told;
    } cases[] = {  // the bytes, the replies the posts asked for, whether the server closed after
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n"
         "HTTP/1.1 204 No Content\r\n\r\n" + ok + chunked + toClose, 5, false, REPLIES_PENDING, 4,
         true, ""},
        {toClose, 1, true, REPLIES_ACCEPTED, 1, true, ""},
        {ok + "HTTP/1.1 404 Not Found\r\n", 2, false, REPLIES_REJECTED, 1, false,
         notTaken + "2 of 2: HTTP/1.1 404 Not Found\n"},
        {"HTTP/1.1 200 OK\r\nconnection: Close\r\n\r\n", 1, true, REPLIES_ACCEPTED, 1, true, ""},
        {"HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n", 1, false, REPLIES_REJECTED, 0,
         false, notTaken + "1 of 1: HTTP/1.1 400 Bad Request\n"},
        {ok + "\r\n" + ok, 2, false, REPLIES_ACCEPTED, 2, false, ""},  // an empty line between
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\n0123456789abcdef\r\n0\r\n\r\n",
         1, false, REPLIES_ACCEPTED, 1, false, ""},  // sizes are hexadecimal
        {ok, 2, true, REPLIES_CLOSED, 1, false,
         "The server closed the connection before answering result 2 of 2.\n"},
        {ok + "HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\n", 2, false, REPLIES_UNREADABLE, 1,
         false, "The online log's answer to result 2 of 2 is not understood: Content-Length: x\n"},
    };
    for (const auto& c : cases) {
        for (size_t piece : {c.bytes.size(), size_t(1), size_t(7)}) {
            SCOPED_TRACE(c.bytes.substr(0, 40) + " / " + std::to_string(piece));
            ReplyJudge judge;
            StartReplyJudge(&judge, c.expected);
            for (size_t at = 0; at < c.bytes.size(); at += piece)
                FeedReplyJudge(&judge, c.bytes.data() + at, std::min(piece, c.bytes.size() - at));
            if (c.closed) EndReplyJudge(&judge);
            EXPECT_EQ(judge.outcome, c.outcome);
            EXPECT_EQ(judge.accepted, c.accepted);
            EXPECT_EQ(judge.closing, c.closing);
            char told[512] = "";
            if (c.outcome > REPLIES_ACCEPTED)
                FormatReplyProblem(judge, c.expected, c.expected, told, sizeof told);
            EXPECT_EQ(told, c.told);
        }
    }
}

TEST(UploadReply, AReplyGetsThirtySecondsForEachByteAndSixtyInAll) {
    // Since the request, since the last byte, and the wait left.
    const unsigned cases[][3] = {
        {0, 0, 30000}, {45000, 0, 15000}, {59000, 29500, 500}, {60000, 0, 0}, {20000, 30000, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ReplyWaitLeft(c[0], c[1], REPLY_DEADLINE_MS, REPLY_IDLE_MS), c[2]);
}

}  // namespace
