// UploadResults in this process against a ranking server of the test's own: the posts, the
// progress bar, the server's answer judged, and every message with its caption.
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

std::vector<std::string> boxes;  // "caption: text" of each box owned by the main window
struct {
    LPARAM range;
    int steps;
    HWND owner;
    DWORD shownAt, goneAt;
} progress;

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
    if (owner == mainWindow) boxes.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

// Sees what this thread tells the progress bar and when its dialog goes.
LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == PBM_SETRANGE) {
        progress = {sent->lParam, 0, GetWindow(GetParent(sent->hwnd), GW_OWNER), GetTickCount(), 0};
    }
    if (sent->message == PBM_STEPIT) progress.steps++;
    if (sent->message == WM_DESTROY && GetDlgItem(sent->hwnd, 1081))
        progress.goneAt = GetTickCount();
    return CallNextHookEx(NULL, code, wParam, lParam);
}

const char USER[] = "user\nABC123\nconcept2.com/sranking03\n1024\n*\n";
LogEntry entries[3] = {{1234567890, 42000, 95, 10500, 2000.0f},
                       {1234567900, 42000, 95, 10500, 2001.0f},
                       {1234567990, 42000, 95, 10500, 2002.0f}};
LogEntry* list[3] = {&entries[0], &entries[1], &entries[2]};

class UploadResultsWin : public ::testing::Test {
protected:
    void SetUp() override {
        uploadMessageBox = RecordBox;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchProgress, NULL, GetCurrentThreadId());
        mainWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
        char folder[MAX_PATH] = "";
        SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
        cookiePath = std::string(folder) + "\\tester@sranking03[1].txt";
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        DestroyWindow(mainWindow);
        mainWindow = NULL;
        uploadMessageBox = MessageBoxA;
        DeleteFileA(cookiePath.c_str());
    }
    // Uploads count results with this cookie file (none when null) to the server at address.
    void Upload(const char* cookie, const std::string& address, int count) {
        DeleteFileA(cookiePath.c_str());
        if (cookie) std::ofstream(cookiePath, std::ios::binary) << cookie;
        boxes.clear();
        settings.lastUploadTime = 1234;
        _putenv_s("TAMSI_RANKING_SERVER", address.c_str());
        UploadResults(list, count);
    }
    HHOOK hook = NULL;
    std::string cookiePath;
};

TEST_F(UploadResultsWin, ThreeResultsAreThreePostsInSixStepsAndMoveTheUploadTime) {
    TestRankingServer server(TestRankingServer::ANSWER_OK);
    const int32_t before = (int32_t)time(nullptr);
    Upload(USER, server.Address(), 3);
    EXPECT_EQ(boxes, std::vector<std::string>{});
    EXPECT_GE(settings.lastUploadTime, before);
    EXPECT_EQ(progress.range, MAKELPARAM(0, 6));
    EXPECT_EQ(progress.steps, 6);
    EXPECT_EQ(progress.owner, mainWindow);
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    const std::string head =
        "POST /sranking03/new_result2.asp HTTP/1.1\r\nHost: " + server.Address() +
        "\r\nCookie: user=ABC123\r\n";
    EXPECT_EQ(requests[0].substr(0, head.size()), head);
    for (int i = 0; i < 3; ++i) {
        const size_t body = requests[i].find("\r\n\r\n") + 4;
        EXPECT_EQ(requests[i].substr(body, 17), "rr_distance=" + std::to_string(2000 + i) + "&");
    }
}

TEST_F(UploadResultsWin, EveryFailureIsToldWithItsCaptionAndMarksNothing) {
    using S = TestRankingServer;
    const struct {
        const char* cookie;  // the cookie file, or none
        S::Answer answer;
        const char* address;  // null: the test server's
        int count;
        const char* box;
    } cases[] = {
        {nullptr, S::ANSWER_OK, nullptr, 1,
         "Configuration Error: Couldn't find settings for concept2 online log.\n"
         "Please log in using Internet Explorer and try again."},
        {"session\nXYZ\n*\n", S::ANSWER_OK, nullptr, 1,
         "Configuration Error: Couldn't read settings for concept2 online log."},
        {USER, S::ANSWER_OK, "nosuch.invalid:80", 1,
         "Connection Problem: Unable to resolve server: nosuch.invalid\n"},
        {USER, S::ANSWER_OK, "refused", 1, "Connection Problem: connect() failed: 10061\n"},
        {USER, S::ANSWER_500, nullptr, 1,
         "Connection Problem: The online log did not take result 1 of 1: "
         "HTTP/1.1 500 Internal Server Error\n"},
        {USER, S::ANSWER_CLOSE, nullptr, 1,
         "Connection Problem: The server closed the connection before answering result 1 of 1.\n"},
        {USER, S::ANSWER_FIRST_ONLY, nullptr, 3,
         "Connection Problem: The server closed the connection before answering result 2 of 3.\n"},
        {USER, S::ANSWER_NEVER, nullptr, 1, "Connection Problem: recv() failed: 10060\n"},
    };
    for (const auto& c : cases) {
        TestRankingServer server(c.answer);
        std::string address = c.address ? c.address : server.Address();
        if (address == "refused") address = "127.0.0.1:" + std::to_string(S::UnusedPort());
        const DWORD start = GetTickCount();
        Upload(c.cookie, address, c.count);
        EXPECT_EQ(boxes, std::vector<std::string>{c.box});
        EXPECT_EQ(settings.lastUploadTime, 1234) << c.box;
        // Configuration errors come before any network use; a silent server is given 30 s.
        if (strncmp(c.box, "Configuration", 13) == 0) {
            EXPECT_EQ(server.Connections(), 0) << c.box;
        }
        if (c.answer == S::ANSWER_NEVER) {
            EXPECT_GE(GetTickCount() - start, 30000u);
        }
    }
}

TEST_F(UploadResultsWin, AnEmptyListConnectsShowsTheDialogASecondAndMarksNothing) {
    TestRankingServer server(TestRankingServer::ANSWER_OK);
    Upload(USER, server.Address(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{});
    EXPECT_EQ(settings.lastUploadTime, 1234);
    EXPECT_EQ(progress.range, MAKELPARAM(0, 0));
    EXPECT_GE(progress.goneAt, progress.shownAt + 1000);
    for (int i = 0; i < 100 && server.Connections() == 0; ++i) Sleep(20);
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
