// The bytes of a posted result, the cookie, the server choice and the choice of new results.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>

#include "upload/online_log.h"
#include "upload/ranking_server.h"
#include "upload/upload_cookie.h"
#include "upload/upload_request.h"

namespace {

struct BodyCase {
    LogEntry entry;
    char rowerType[12];
    char weightClass;
    const char* expected;
};

TEST(UploadRequest, BodiesCarryTheResultTheDateAndOnlyKnownRowerAndWeight) {
    setenv("TZ", "UTC", 1);
    tzset();
    const char* tail = "&txt_month=2&txt_day=13&txt_year=2009";
    const BodyCase cases[] = {
        {{1234567890, 42000, 95, 10500, 2000.0f}, "standard", 'H',
         "rr_distance=2000&rr_time_hr=0&rr_time_min=7&rr_time_sec=0&rr_time_tenths=.0&txt_month=2"
         "&txt_day=13&txt_year=2009&rr_slide=standard&rr_weight_class=H&rr_comments=&rr_venue=IND"},
        {{1234567890, 123456, 0, 0, 1999.9f}, "slide", 'L', nullptr},
        {{1234567890, 372345, 0, 0, NAN}, "slide\0junk", 'X', nullptr},
        {{1234567890, 0, 0, 0, 5.0f}, "slider", 'h', nullptr},
    };
    const std::string others[] = {
        "",
        std::string("rr_distance=1999&rr_time_hr=0&rr_time_min=20&rr_time_sec=34&rr_time_tenths=.5") +
            tail + "&rr_slide=slide&rr_weight_class=L&rr_comments=&rr_venue=IND",
        std::string("rr_distance=0&rr_time_hr=1&rr_time_min=2&rr_time_sec=3&rr_time_tenths=.4") +
            tail + "&rr_slide=slide&rr_weight_class=H&rr_comments=&rr_venue=IND",
        std::string("rr_distance=5&rr_time_hr=0&rr_time_min=0&rr_time_sec=0&rr_time_tenths=.0") +
            tail + "&rr_slide=standard&rr_weight_class=H&rr_comments=&rr_venue=IND",
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const BodyCase& c = cases[i];
        char body[UPLOAD_BODY_SIZE];
        const int length = FormatUploadBody(c.entry, c.rowerType, c.weightClass, body, sizeof body);
        const std::string expected = c.expected ? c.expected : others[i];
        EXPECT_EQ(body, expected) << i;
        EXPECT_EQ(length, (int)expected.size()) << i;
    }
    EXPECT_EQ(strlen(cases[0].expected), 174u);
    char small[100];
    EXPECT_EQ(FormatUploadBody(cases[0].entry, "standard", 'H', small, sizeof small), -1);
}

TEST(UploadRequest, HeaderBlockAnnouncesTheBodyLength) {
    char header[UPLOAD_HEADER_SIZE];
    const int length =
        FormatUploadHeader("www.concept2.com", "user=ABC", 174, header, sizeof header);
    const std::string expected =
        "POST /sranking03/new_result2.asp HTTP/1.1\r\nHost: www.concept2.com\r\n"
        "Cookie: user=ABC\r\nContent-Type: application/x-www-form-urlencoded\r\n"
        "Content-Length: 174\r\n\r\n";
    EXPECT_EQ(header, expected);
    EXPECT_EQ(length, (int)expected.size());
}

struct CookieCase {
    const char* name;
    std::string read;    // the bytes read from the file
    std::string cookie;  // empty: no user cookie
};

TEST(UploadCookie, ValueOfTheUserLineEndsAtLineEndsAndFits) {
    const std::string longValue(2000, 'v');
    const CookieCase cases[] = {
        {"value up to the LF", "user\nABC123\nwww.concept2.com/sranking03\n*\n", "user=ABC123"},
        {"after another cookie", "ASPSESSION\nX\nhost/\n*\nuser\nRower7\nhost/\n*\n", "user=Rower7"},
        {"no LF after the value", "user\nABC12", "user=ABC1"},  // the read's last byte drops
        {"CR ends the value", "user\nABC\r\nInjected: yes\n", "user=ABC"},
        {"NUL ends the text", std::string("user\nAB\0C\n", 10), "user=AB"},
        {"no user line", "session\nuser2\n*\n", ""},
        {"user is part of a longer name", "superuser\nX\n*\n", ""},
        {"name at the very end", "data\nuser\n", ""},
        {"nothing read", "", ""},
        {"value too long", "user\n" + longValue + "\n",
         "user=" + longValue.substr(0, COOKIE_TEXT_SIZE - 1 - 5)},
    };
    for (const CookieCase& c : cases) {
        char cookie[COOKIE_TEXT_SIZE] = "";
        const bool found = ParseUserCookie(c.read.data(), c.read.size(), cookie, sizeof cookie);
        EXPECT_EQ(found, !c.cookie.empty()) << c.name;
        if (found) {
            EXPECT_EQ(cookie, c.cookie) << c.name;
        }
    }
}

struct ServerCase {
    const char* override;
    bool valid;
    const char* host;
    unsigned port;
    const char* hostHeader;
};

TEST(RankingServerChoice, TheEnvironmentMayNameAPlainHostAndPort) {
    const ServerCase cases[] = {
        {nullptr, true, rankingServerHost, 80, rankingServerHost},
        {"", true, rankingServerHost, 80, rankingServerHost},
        {"127.0.0.1:8080", true, "127.0.0.1", 8080, "127.0.0.1:8080"},
        {"test-host.local:80", true, "test-host.local", 80, "test-host.local"},
        {"127.0.0.1", false, "", 0, ""},
        {":80", false, "", 0, ""},
        {"host:0", false, "", 0, ""},
        {"host:65536", false, "", 0, ""},
        {"host:80x", false, "", 0, ""},
        {"host:-1", false, "", 0, ""},
        {"bad\r\nX: y:80", false, "", 0, ""},
    };
    for (const ServerCase& c : cases) {
        RankingServer server = {};
        const bool valid = ChooseRankingServer(c.override, &server);
        const char* name = c.override ? c.override : "(none)";
        EXPECT_EQ(valid, c.valid) << name;
        if (!c.valid || !valid) continue;
        EXPECT_STREQ(server.host, c.host) << name;
        EXPECT_EQ(server.port, c.port) << name;
        EXPECT_STREQ(server.hostHeader, c.hostHeader) << name;
    }
}

TEST(OnlineLogChoice, OnlyEntriesLaterThanTheLastUploadAreNew) {
    const int32_t times[] = {500, 1000, 1001, -5, 2000};
    logEntryCount = 5;
    for (int i = 0; i < 5; ++i) logEntries[i + 1].startTime = times[i];
    logEntries[6].startTime = 9999;  // beyond the count
    LogEntry* list[MAX_LOG_ENTRIES];
    ASSERT_EQ(CollectNewResults(list, 1000), 2);
    EXPECT_EQ(list[0], &logEntries[3]);
    EXPECT_EQ(list[1], &logEntries[5]);
    EXPECT_EQ(CollectNewResults(list, 0), 4);
    EXPECT_EQ(CollectNewResults(list, -10), 5);
    logEntryCount = 0;
    EXPECT_EQ(CollectNewResults(list, 0), 0);
}

}  // namespace
