// Sending results online: to the online log (which ones, the bytes posted, the cookie, the test
// server, the replies however split, a refusal's words) and to the online logbook (its servers,
// the OAuth addresses and the browser's return, the result JSON, the replies, the two files).
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <nlohmann/json.hpp>

#include "log/row_file_loader.h"
#include "logbook/logbook_oauth.h"
#include "logbook/logbook_records.h"
#include "logbook/logbook_reply.h"
#include "logbook/logbook_result.h"
#include "upload/online_log.h"
#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_plan.h"
#include "upload/upload_reply.h"
#include "upload/upload_request.h"
#include "test_support.h"

namespace {

TEST(OnlineLog, SendsWhatCameAfterTheLastUploadAndCountsOnlyAnUnbrokenRunAsSent) {
    const int32_t startTimes[] = {500, 900, 1000, 1001, 700, 1200};
    logEntryCount = 6;
    for (int slot = 1; slot <= 6; ++slot) logEntries[slot].startTime = startTimes[slot - 1];
    static LogEntry* list[MAX_LOG_ENTRIES];
    ASSERT_EQ(CollectNewResults(list, 1000, 0), 2);
    EXPECT_EQ(list[0], &logEntries[4]);
    EXPECT_EQ(list[1], &logEntries[6]);
    ASSERT_EQ(CollectNewResults(list, 1000, 1001), 1);  // 1001 is still being recorded
    EXPECT_EQ(list[0], &logEntries[6]);
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
    test_support::LocalZone local("UTC");
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
TEST(UploadReply, JudgedWholeOrSplitAnywhereARefusalNamesItsResultAndTheWaitIsBounded) {
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
    // Since the request, since the last byte, and the wait left.
    const unsigned waits[][3] = {
        {0, 0, 30000}, {45000, 0, 15000}, {59000, 29500, 500}, {60000, 0, 0}, {20000, 30000, 0}};
    for (const auto& c : waits)
        EXPECT_EQ(ReplyWaitLeft(c[0], c[1], REPLY_DEADLINE_MS, REPLY_IDLE_MS), c[2]);
}

TEST(LogbookServer, OnlyHttpsOrTheLoopbackAddressIsTaken) {
    const struct { const char* address; const char* origin; } cases[] = {
        {"", "https://log.concept2.com:443"},
        {"https://log-dev.concept2.com/", "https://log-dev.concept2.com:443"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"http://log.concept2.com", nullptr}, {"http://127.0.0.1:0", nullptr},
        {"https://h:65536", nullptr}, {"http://127.0.0.1:80/api", nullptr}, {"ftp://h", nullptr},
    };
    for (const auto& c : cases) {
        LogbookServer server;
        EXPECT_EQ(ChooseLogbookServer(c.address, &server), c.origin != nullptr) << c.address;
        EXPECT_STREQ(c.origin ? server.origin : "", c.origin ? c.origin : "");
    }
}

TEST(LogbookOAuth, FieldsAreEncodedAndTheListenerTakesOnlyItsPathWithItsState) {
    LogbookServer server;
    ASSERT_TRUE(ChooseLogbookServer("http://127.0.0.1:81", &server));
    const uint8_t random[OAUTH_STATE_BYTES] = {0, 1, 0xab, 0xff};
    const std::string state = FormatOAuthState(random), redirect = FormatRedirectUri(47615);
    EXPECT_EQ(state, "0001abff000000000000000000000000");
    EXPECT_EQ(FormatAuthorizeUrl(server, "id 1", redirect, "s"),
              "http://127.0.0.1:81/oauth/authorize?client_id=id%201&redirect_uri=http%3A%2F%2F"
              "localhost%3A47615%2Fcallback&response_type=code&scope=user%3Aread%2Cresults%3Awrite"
              "&state=s");
    EXPECT_EQ(FormatCodeExchange("c/d", "i", "s&", redirect),
              "grant_type=authorization_code&code=c%2Fd&client_id=i&client_secret=s%26"
              "&redirect_uri=http%3A%2F%2Flocalhost%3A47615%2Fcallback");
    EXPECT_EQ(FormatTokenRefresh("r+", "i", "s"),
              "grant_type=refresh_token&refresh_token=r%2B&client_id=i&client_secret=s");
    const struct { const char* request; CallbackVerdict verdict; const char* code; } cases[] = {
        {"GET /callback?code=a%2Fb+c&state=S1 HTTP/1.1\r\n", CALLBACK_CODE, "a/b c"},
        {"GET /callback?state=S1&code=x HTTP/1.1\r\nHost: l\r\n", CALLBACK_CODE, "x"},
        {"GET /callback?code=x&state=S2 HTTP/1.1\r\n", CALLBACK_WRONG_STATE, ""},
        {"GET /callback?code=x HTTP/1.1\r\n", CALLBACK_WRONG_STATE, ""},
        {"GET /callback?error=access_denied&state=S1 HTTP/1.1\r\n", CALLBACK_DENIED, ""},
        {"GET /callbackx?code=x&state=S1 HTTP/1.1\r\n", CALLBACK_WRONG_PATH, ""},
        {"GET /favicon.ico HTTP/1.1\r\n", CALLBACK_WRONG_PATH, ""},
        {"POST /callback?code=x&state=S1 HTTP/1.1\r\n", CALLBACK_WRONG_PATH, ""},
        {"GET /callback?code=%4&state=S1 HTTP/1.1\r\n", CALLBACK_DENIED, ""},
        {"GET /callback?code=x&state=S1 HTTP/1.1", CALLBACK_INCOMPLETE, ""},
    };
    for (const auto& c : cases) {
        std::string code;
        EXPECT_EQ(JudgeCallback(c.request, strlen(c.request), "S1", &code), c.verdict) << c.request;
        EXPECT_EQ(c.verdict == CALLBACK_CODE ? code : "", c.code);
    }
}

TEST(LogbookResult, TheJsonHoldsTheTotalsAndEveryStrokeOfTheRowFile) {
    const char text[] = "Time,Distance,Pace,Watts,Cals,SPM,HR\n352,7.9,0.232,225,1,27,0\n"
                        "574,17.6,0.219,267,3,29,140\n123456,2000.0,0.240,302,95,28,150\n";
    RowWorkout workout;
    ASSERT_TRUE(ParseRowWorkout(text, sizeof text - 1, &workout));
    const auto json = nlohmann::json::parse(
        FormatLogbookResult(workout, FormatLogbookDate(2026, 3, 7, 6, 5, 9), 'L'));
    // The time in tenths, the hundredth dropped.
    const auto expected = nlohmann::json::parse(R"({"type":"rower","date":"2026-03-07 06:05:09",
        "distance":2000,"time":12345,"weight_class":"L","stroke_count":3,"calories_total":95,
        "heart_rate":{"average":96},"stroke_data":[{"t":35,"d":79,"p":1160,"spm":27,"hr":0},
        {"t":57,"d":176,"p":1095,"spm":29,"hr":140},
        {"t":12345,"d":20000,"p":1200,"spm":28,"hr":150}]})");
    for (const auto& [key, value] : expected.items()) EXPECT_EQ(json[key], value) << key;
    workout.lines = {{6000, 250.0, 0.2, 300, 0, 0, 0}};  // nothing known beyond the totals
    const auto bare = nlohmann::json::parse(FormatLogbookResult(workout, "d", 'H'));
    EXPECT_EQ(bare.count("heart_rate") + bare.count("calories_total"), 0u);
    EXPECT_EQ(bare["weight_class"], "H");
}

TEST(LogbookReply, EachReplyIsJudgedAndARefusalKeepsTheServersWords) {
    enum Kind { TOKEN, USER, RESULT };
    const struct { Kind kind; int status; const char* body; LogbookVerdict verdict; const char* got; } cases[] = {
        {TOKEN, 200, R"({"access_token":"A","refresh_token":"R","expires_in":7})", LOGBOOK_ACCEPTED, "A R 7"},
        {TOKEN, 200, R"({"access_token":"A"})", LOGBOOK_MALFORMED, ""},
        {TOKEN, 400, R"({"error":"invalid_grant","error_description":"Expired."})", LOGBOOK_KEY_REFUSED, "Expired."},
        {TOKEN, 401, R"({"error":"invalid_client"})", LOGBOOK_KEY_REFUSED, "invalid_client"},
        {USER, 200, R"({"data":{"username":"u","first_name":"Ann","last_name":"Berg"}})", LOGBOOK_ACCEPTED, "Ann Berg"},
        {USER, 200, R"({"data":{"username":"u9","first_name":7}})", LOGBOOK_ACCEPTED, "u9"},
        {USER, 200, R"({"data":[]})", LOGBOOK_MALFORMED, ""},
        {RESULT, 201, R"({"data":{"id":123,"distance":2000}})", LOGBOOK_ACCEPTED, "123"},
        {RESULT, 201, R"({"data":{"id":null}})", LOGBOOK_MALFORMED, ""},
        {RESULT, 401, "", LOGBOOK_UNAUTHORISED, "The server answered 401."},
        {RESULT, 422, R"({"message":"Invalid.","errors":{"time":["Too short."]}})", LOGBOOK_REFUSED, "Invalid.\nToo short."},
        {RESULT, 500, "<html>", LOGBOOK_REFUSED, "The server answered 500."},
        {RESULT, 200, "{\"data\":{\"id\":", LOGBOOK_MALFORMED, ""},
    };
    for (const auto& c : cases) {
        std::string got;
        LogbookTokens tokens;
        LogbookReply reply;
        if (c.kind == TOKEN) reply = JudgeTokenReply(c.status, c.body, &tokens);
        if (c.kind == TOKEN && reply.verdict == LOGBOOK_ACCEPTED)
            got = tokens.accessToken + " " + tokens.refreshToken + " " + std::to_string(tokens.expiresIn);
        if (c.kind == USER) reply = JudgeUserReply(c.status, c.body, &got);
        if (c.kind == RESULT) reply = JudgeResultReply(c.status, c.body, &got);
        EXPECT_EQ(reply.verdict, c.verdict) << c.body;
        EXPECT_EQ(reply.verdict == LOGBOOK_ACCEPTED ? got : reply.message, c.got) << c.body;
    }
}

TEST(LogbookRecords, TheSentRecordAndTheTokenFileReadBackWhatWasWritten) {
    const std::string record = FormatSentLine(1234567000, "81") + "1234568000\n12x 5\n" +
                               "1234569000 \n1234570000 83\r\n" +  // cut lines, a CR LF
                               "1234571000 8" + std::string(1, '\0') + "4\n";  // a NUL in the id
    const std::vector<SentResult> sent = ParseSentRecord(record);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(FindSent(sent, 1234570000), "83");
    EXPECT_EQ(FindSent(sent, 1234568000), "");
    TokenFile token{"Ann Berg", {0, 0x7f, 0xff}}, read;
    ASSERT_TRUE(ParseTokenFile(FormatTokenFile(token), &read));
    EXPECT_EQ(read.rower, "Ann Berg");
    EXPECT_EQ(read.protectedToken, token.protectedToken);
    for (const char* bad : {"", "Tamsi logbook token 1\nAnn\n0g\n", "Tamsi logbook token 1\nAnn\n-1\n",
                            "Tamsi logbook token 2\nAnn\n00\n", "Tamsi logbook token 1\nAnn\n"})
        EXPECT_FALSE(ParseTokenFile(bad, &read)) << bad;
}

}  // namespace
