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
LPARAM range;                    // the progress bar's

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
    if (owner == mainWindow) boxes.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == PBM_SETRANGE) range = sent->lParam;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

const char USER[] = "user\nABC123\nconcept2.com/sranking03\n1024\n*\n";

// Uploads three results of 2000, 2001 and 2002 m with this cookie file (none when null) to
// the server at address, from a main window of its own.
void Upload(const char* cookie, const std::string& address) {
    static LogEntry entries[3] = {{1234567890, 42000, 95, 10500, 2000.0f},
                                  {1234567900, 42000, 95, 10500, 2001.0f},
                                  {1234567990, 42000, 95, 10500, 2002.0f}};
    static LogEntry* list[3] = {&entries[0], &entries[1], &entries[2]};
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    const std::string cookiePath = std::string(folder) + "\\tester@sranking03[1].txt";
    if (cookie) std::ofstream(cookiePath, std::ios::binary) << cookie;
    uploadMessageBox = RecordBox;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchProgress, NULL, GetCurrentThreadId());
    mainWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
    boxes.clear();
    settings.lastUploadTime = 1234;
    _putenv_s("TAMSI_RANKING_SERVER", address.c_str());
    UploadResults(list, 3);
    UnhookWindowsHookEx(hook);
    DestroyWindow(mainWindow);
    mainWindow = NULL;
    DeleteFileA(cookiePath.c_str());
}

TEST(UploadResultsWin, ResultsArePostedUnderASixStepBarOrEachFailureToldWithItsCaption) {
    using S = TestRankingServer;
    const struct {
        const char* cookie;  // the cookie file, or none
        S::Answer answer;
        const char* box;  // null: none, the results taken
    } cases[] = {
        {USER, S::ANSWER_OK, nullptr},
        {nullptr, S::ANSWER_OK,
         "Configuration Error: Couldn't find settings for concept2 online log.\n"
         "Please log in using Internet Explorer and try again."},
        {USER, S::ANSWER_500,
         "Connection Problem: The online log did not take result 1 of 3: "
         "HTTP/1.1 500 Internal Server Error\n"},
    };
    for (const auto& c : cases) {
        TestRankingServer server(c.answer);
        const int32_t before = (int32_t)time(nullptr);
        const DWORD start = GetTickCount();
        Upload(c.cookie, server.Address());
        EXPECT_EQ(boxes, c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(settings.lastUploadTime >= before, !c.box);  // else left at 1234
        if (c.box) continue;
        EXPECT_GE(GetTickCount() - start, 1000u);  // the "Please Wait" dialog stays a second
        EXPECT_EQ(range, MAKELPARAM(0, 6));
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const size_t body = requests[i].find("\r\n\r\n") + 4;
            EXPECT_EQ(requests[i].substr(body, 17), "rr_distance=" + std::to_string(2000 + i) + "&");
        }
    }
}

}  // namespace
