// The online logbook's window-free side: which servers are taken, the OAuth addresses and the
// browser's return, the result JSON against its row file, the replies, and the two files.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "logbook/logbook_oauth.h"
#include "logbook/logbook_records.h"
#include "logbook/logbook_reply.h"
#include "logbook/logbook_result.h"

namespace {

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

TEST(LogbookOAuth, AddressesAndFormsCarryEveryFieldEncoded) {
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
}

TEST(LogbookOAuth, TheListenerTakesOnlyItsPathWithItsState) {
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
        {"t":57,"d":176,"p":1095,"spm":29,"hr":140},{"t":12345,"d":20000,"p":1200,"spm":28,"hr":150}]})");
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
                               "1234569000 \n1234570000 83\r\n";  // cut lines, a CR LF
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
