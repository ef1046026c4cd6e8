// UploadResults in this process against a ranking server of the test's own: the posts on the
// wire, the progress bar, the server's answer judged, and every message with its caption.
#include "upload/upload_results.h"

#include "test_ranking_server.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <fstream>

#include "app/main_window.h"
#include "settings/settings.h"
#include "upload/upload_win.h"

namespace {

struct Box {
    HWND owner;
    std::string text;
    std::string caption;
};
std::vector<Box> boxes;

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
    boxes.push_back(Box{owner, text, caption});
    return IDOK;
}

// What the progress bar was told, seen by a hook on this thread's sent messages.
struct Progress {
    LPARAM range = -1;
    int steps = 0;
    HWND owner = NULL;
    DWORD shownAt = 0;
    DWORD goneAt = 0;
} progress;
HWND progressDialog = NULL;

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == PBM_SETRANGE) {
        progress.range = sent->lParam;
        progressDialog = GetParent(sent->hwnd);
        progress.owner = GetWindow(progressDialog, GW_OWNER);
        progress.shownAt = GetTickCount();
    } else if (sent->message == PBM_STEPIT) {
        progress.steps++;
    } else if (sent->message == WM_DESTROY && sent->hwnd == progressDialog) {
        progress.goneAt = GetTickCount();
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

std::string CookieFolder() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

const int32_t EARLIER_UPLOAD = 1234;

class UploadResultsWin : public ::testing::Test {
protected:
    void SetUp() override {
        boxes.clear();
        progress = Progress();
        progressDialog = NULL;
        uploadMessageBox = RecordBox;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchProgress, NULL, GetCurrentThreadId());
        mainWindow = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL,
                                   NULL);
        WriteCookieFile("user\nABC123\nconcept2.com/sranking03\n1024\n*\n");
        settings.lastUploadTime = EARLIER_UPLOAD;
        snprintf(settings.rowerType, sizeof settings.rowerType, "standard");
        settings.weightClass = 'H';
        for (int i = 0; i < 3; ++i) {
            entries[i] = LogEntry{1234567890 + i * 86400, 42000 + i, 95, 10500, 2000.0f + i};
            list[i] = &entries[i];
        }
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        DestroyWindow(mainWindow);
        mainWindow = NULL;
        uploadMessageBox = MessageBoxA;
        DeleteFileA(cookiePath.c_str());
        _putenv_s("TAMSI_RANKING_SERVER", "");
    }
    void WriteCookieFile(const char* text) {
        DeleteFileA(cookiePath.c_str());
        cookiePath = CookieFolder() + "\\tester@sranking03[1].txt";
        std::ofstream(cookiePath, std::ios::binary) << text;
    }
    void Upload(const std::string& server, int count) {
        _putenv_s("TAMSI_RANKING_SERVER", server.c_str());
        UploadResults(list, count);
    }
    void ExpectOneBox(const std::string& text, const std::string& caption) {
        ASSERT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, caption);
        EXPECT_EQ(boxes[0].owner, mainWindow);
        EXPECT_EQ(settings.lastUploadTime, EARLIER_UPLOAD) << text;
    }

    HHOOK hook = NULL;
    std::string cookiePath;
    LogEntry entries[3];
    LogEntry* list[3];
};

TEST_F(UploadResultsWin, ThreeResultsAreThreePostsInSixStepsAndMoveTheUploadTime) {
    TestRankingServer server(TestRankingServer::ANSWER_OK);
    const int32_t before = (int32_t)time(nullptr);
    Upload(server.Address(), 3);
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_GE(settings.lastUploadTime, before);
    EXPECT_LE(settings.lastUploadTime, (int32_t)time(nullptr));

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(server.Connections(), 1);
    const std::string head = "POST /sranking03/new_result2.asp HTTP/1.1\r\nHost: " +
                             server.Address() +
                             "\r\nCookie: user=ABC123\r\n"
                             "Content-Type: application/x-www-form-urlencoded\r\n"
                             "Content-Length: ";
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(requests[i].substr(0, head.size()), head) << i;
        const size_t body = requests[i].find("\r\n\r\n") + 4;
        EXPECT_EQ(atoi(requests[i].c_str() + head.size()), (int)(requests[i].size() - body));
        const std::string start = "rr_distance=" + std::to_string(2000 + i) +
                                  "&rr_time_hr=0&rr_time_min=7&rr_time_sec=0&rr_time_tenths=.0";
        const std::string end = "&txt_year=2009&rr_slide=standard&rr_weight_class=H"
                                "&rr_comments=&rr_venue=IND";
        EXPECT_EQ(requests[i].substr(body, start.size()), start);
        EXPECT_EQ(requests[i].substr(requests[i].size() - end.size()), end);
    }
    EXPECT_EQ(progress.range, MAKELPARAM(0, 6));
    EXPECT_EQ(progress.steps, 6);
    EXPECT_EQ(progress.owner, mainWindow);
}

struct FailureCase {
    const char* name;
    const char* cookieFile;  // null: none in the folder
    TestRankingServer::Answer answer;
    const char* server;  // null: the test server; "refused": a port nobody listens on
    int count;
    const char* text;  // null: expected is built from the port
    const char* caption;
};

TEST_F(UploadResultsWin, EveryFailureIsToldWithItsCaptionAndMarksNothing) {
    const char* USER = "user\nABC\n*\n";
    const FailureCase cases[] = {
        {"no cookie file", nullptr, TestRankingServer::ANSWER_OK, nullptr, 1,
         "Couldn't find settings for concept2 online log.\n"
         "Please log in using Internet Explorer and try again.",
         "Configuration Error"},
        {"no user cookie", "session\nXYZ\n*\n", TestRankingServer::ANSWER_OK, nullptr, 1,
         "Couldn't read settings for concept2 online log.", "Configuration Error"},
        {"host does not resolve", USER, TestRankingServer::ANSWER_OK, "nosuch.invalid:80", 1,
         "Unable to resolve server: nosuch.invalid\n", "Connection Problem"},
        {"connection refused", USER, TestRankingServer::ANSWER_OK, "refused", 1,
         "connect() failed: 10061\n", "Connection Problem"},
        {"server error", USER, TestRankingServer::ANSWER_500, nullptr, 1,
         "The online log did not take result 1 of 1: HTTP/1.1 500 Internal Server Error\n",
         "Connection Problem"},
        {"closed without answer", USER, TestRankingServer::ANSWER_CLOSE, nullptr, 1,
         "The server closed the connection before answering result 1 of 1.\n",
         "Connection Problem"},
        {"first of three answered", USER, TestRankingServer::ANSWER_FIRST_ONLY, nullptr, 3,
         "The server closed the connection before answering result 2 of 3.\n",
         "Connection Problem"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        DeleteFileA(cookiePath.c_str());
        if (c.cookieFile) WriteCookieFile(c.cookieFile);
        TestRankingServer server(c.answer);
        std::string address = c.server ? c.server : server.Address();
        if (address == "refused") address = "127.0.0.1:" + std::to_string(TestRankingServer::UnusedPort());
        Upload(address, c.count);
        ExpectOneBox(c.text, c.caption);
        // Configuration errors stop before any network use.
        if (std::string(c.caption) == "Configuration Error") {
            EXPECT_EQ(server.Connections(), 0);
        }
    }
}

TEST_F(UploadResultsWin, AServerThatNeverAnswersFailsAfterThirtySeconds) {
    TestRankingServer server(TestRankingServer::ANSWER_NEVER);
    const DWORD start = GetTickCount();
    Upload(server.Address(), 1);
    EXPECT_GE(GetTickCount() - start, 30000u);
    ExpectOneBox("recv() failed: 10060\n", "Connection Problem");
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(UploadResultsWin, AnEmptyListConnectsShowsTheDialogASecondAndMarksNothing) {
    TestRankingServer server(TestRankingServer::ANSWER_OK);
    Upload(server.Address(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(settings.lastUploadTime, EARLIER_UPLOAD);
    EXPECT_EQ(progress.range, MAKELPARAM(0, 0));
    EXPECT_GE(progress.goneAt - progress.shownAt, 1000u);
    // The server sees the connection open and close, with nothing on it.
    for (int i = 0; i < 100 && server.Connections() == 0; ++i) Sleep(20);
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
