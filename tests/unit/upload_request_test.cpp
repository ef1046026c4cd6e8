// The bytes of a posted result, the cookie read from its file, and the test server override.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <time.h>

#include <string>

#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_request.h"

namespace {

TEST(UploadRequest, BodiesCarryTheResultTheDateAndOnlyKnownRowerAndWeight) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::string date = "&txt_month=2&txt_day=13&txt_year=2009&rr_slide=";
    const struct {
        LogEntry entry;
        char rowerType[12];
        char weightClass;
        std::string body;
    } cases[] = {
        {{1234567890, 42000, 95, 10500, 2000.0f},
         "standard",
         'H',
         "rr_distance=2000&rr_time_hr=0&rr_time_min=7&rr_time_sec=0&rr_time_tenths=.0" + date +
             "standard&rr_weight_class=H&rr_comments=&rr_venue=IND"},
        {{1234567890, 123456, 0, 0, 1999.9f},
         "slide",
         'L',
         "rr_distance=1999&rr_time_hr=0&rr_time_min=20&rr_time_sec=34&rr_time_tenths=.5" + date +
             "slide&rr_weight_class=L&rr_comments=&rr_venue=IND"},
        {{1234567890, 372345, 0, 0, NAN},
         "slider\0\0\0\0\0",
         'X',  // a damaged settings file
         "rr_distance=0&rr_time_hr=1&rr_time_min=2&rr_time_sec=3&rr_time_tenths=.4" + date +
             "standard&rr_weight_class=H&rr_comments=&rr_venue=IND"},
    };
    for (const auto& c : cases) {
        char body[UPLOAD_BODY_SIZE];
        EXPECT_EQ(FormatUploadBody(c.entry, c.rowerType, c.weightClass, body, sizeof body),
                  (int)c.body.size());
        EXPECT_EQ(body, c.body);
    }
    char header[UPLOAD_HEADER_SIZE];
    FormatUploadHeader("www.concept2.com", "user=ABC", 174, header, sizeof header);
    EXPECT_STREQ(header,
                 "POST /sranking03/new_result2.asp HTTP/1.1\r\nHost: www.concept2.com\r\n"
                 "Cookie: user=ABC\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                 "Content-Length: 174\r\n\r\n");
    EXPECT_EQ(cases[0].body.size(), 174u);
}

TEST(UploadCookie, ValueOfTheUserLineEndsAtLineEndsAndFits) {
    const std::string longValue(2000, 'v');
    const struct {
        std::string read;    // the bytes read from the cookie file
        std::string cookie;  // empty: no user cookie
    } cases[] = {
        {"ASPSESSION\nX\nhost/\n*\nuser\nABC123\nhost/\n*\n", "user=ABC123"},
        {"user\nABC12", "user=ABC1"},  // no LF after the value: the read's last byte is dropped
        {"user\nABC\r\nInjected: yes\n", "user=ABC"},
        {"user\n" + longValue + "\n", "user=" + longValue.substr(0, COOKIE_TEXT_SIZE - 6)},
        {"superuser\nX\n*\n", ""},
    };
    for (const auto& c : cases) {
        char cookie[COOKIE_TEXT_SIZE] = "";
        EXPECT_EQ(ParseUserCookie(c.read.data(), c.read.size(), cookie, sizeof cookie),
                  !c.cookie.empty());
        EXPECT_EQ(cookie, c.cookie);
    }
}

TEST(RankingServerChoice, TheEnvironmentMayNameOnlyAPlainHostAndPort) {
    RankingServer server = {};
    ASSERT_TRUE(ChooseRankingServer(nullptr, &server));
    EXPECT_STREQ(server.hostHeader, rankingServerHost);
    EXPECT_EQ(server.port, 80);
    ASSERT_TRUE(ChooseRankingServer("127.0.0.1:8080", &server));
    EXPECT_STREQ(server.hostHeader, "127.0.0.1:8080");
    EXPECT_EQ(server.port, 8080);
    for (const char* bad : {"127.0.0.1", "host:65536", "bad\r\nX: y:80"}) {
        EXPECT_FALSE(ChooseRankingServer(bad, &server)) << bad;
    }
}

}  // namespace
