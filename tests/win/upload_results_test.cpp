// UploadResults in this process against a ranking server of the test's own: the results posted
// oldest first, each after the reply to the last, the progress bar, lastUploadTime moved over
// what was taken and saved at once, one upload at a time, and every message with its caption.
#include "upload/upload_results.h"

#include "test_ranking_server.h"
#include "win_test_support.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <fstream>

#include "app/app_state.h"
#include "monitor/recorder.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "upload/online_log.h"
#include "upload/upload_win.h"

namespace {

std::vector<std::string> boxes;  // "caption: text" of each box owned by the main window
std::vector<LPARAM> ranges;      // of each progress bar
int steps;                       // of the progress bars

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT) {
    if (owner == mainWindow) boxes.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

LRESULT CALLBACK WatchRange(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == PBM_SETRANGE) ranges.push_back(sent->lParam);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK CountSteps(int code, WPARAM wParam, LPARAM lParam) {
    steps += wParam == PM_REMOVE && reinterpret_cast<const MSG*>(lParam)->message == PBM_STEPIT;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

const char USER[] = "user\nABC123\nconcept2.com/sranking03\n1024\n*\n";
const int32_t T = 1234567890;  // the oldest result's start time
LogEntry entries[3] = {{T + 100, 42000, 95, 10500, 2002.0f},
                       {T + 10, 42000, 95, 10500, 2001.0f},
                       {T, 42000, 95, 10500, 2000.0f}};
LogEntry* const list[3] = {&entries[0], &entries[1], &entries[2]};  // newest first
const std::string folder = ProgramFolder() + "\\upload";            // the base directory

int32_t SavedLastUploadTime() {  // -1 without a settings file
    Settings saved = {};
    std::ifstream file(folder + "\\Tamsi.ini", std::ios::binary);
    return file.read(reinterpret_cast<char*>(&saved), sizeof saved) ? saved.lastUploadTime : -1;
}

TEST(UploadResultsWin, ResultsGoOldestFirstEachAfterTheLastReplyAndOnlyWhatWasTakenCountsAsSent) {
    const struct {
        const char* cookie;  // the cookie file, or none
        const char* script;  // the server's answers
        int32_t recording;   // the row file the recorder has open
        DWORD replyMs;       // the time a reply may take
        const char* box;     // null: none
        const char* sent;
        int32_t last;  // lastUploadTime after, and in Tamsi.ini when it moved
    } cases[] = {
        {USER, "o", 0, 60000, nullptr, "2000 2001 2002 ", T + 100},
        {nullptr, "o", 0, 60000,
         "Configuration Error: Couldn't find settings for concept2 online log.\n"
         "Please log in using Internet Explorer and try again.", "", T - 100},
        {USER, "o5", 0, 60000,
         "Connection Problem: The online log did not take result 2 of 3: "
         "HTTP/1.1 500 Internal Server Error\n", "2000 2001 ", T},
        {USER, "c", 0, 60000, nullptr, "2000 2001 2002 ", T + 100},  // each on a new connection
        {USER, "o", T + 10, 60000, "Notice: This workout is still being recorded.", "2000 2002 ",
         T},
        {USER, "ot", 0, 1500, "Connection Problem: recv() failed: 10060\n", "2000 2001 ", T},
        {USER, "oh", 0, 60000, nullptr, "2000 2001 ", T},  // stopped during the second reply
    };
    char cookies[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, cookies);
    const std::string cookiePath = std::string(cookies) + "\\tester@sranking03[1].txt";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", folder.c_str());
    CreateDirectoryA(folder.c_str(), NULL);
    CreateDirectoryA((folder + "\\data").c_str(), NULL);
    uploadMessageBox = settingsMessageBox = RecordBox;
    HHOOK range = SetWindowsHookExA(WH_CALLWNDPROC, WatchRange, NULL, GetCurrentThreadId());
    HHOOK step = SetWindowsHookExA(WH_GETMESSAGE, CountSteps, NULL, GetCurrentThreadId());
    mainWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script + std::string(c.cookie ? "" : " without a cookie"));
        DeleteFileA((folder + "\\Tamsi.ini").c_str());
        const std::string recorded = folder + "\\data\\" + std::to_string(c.recording) + ".csv";
        if (c.recording) std::ofstream(recorded) << "Time,Distance,Pace,Watts,Cals,SPM,HR\n";
        if (c.cookie) std::ofstream(cookiePath, std::ios::binary) << c.cookie;
        else DeleteFileA(cookiePath.c_str());
        rowFileSeconds = c.recording;
        uploadTimeOuts.replyMs = c.replyMs;
        TestRankingServer server(c.script);
        boxes.clear(), ranges.clear(), steps = 0;
        settings.lastUploadTime = T - 100;
        // By name: the address is looked up (an address in digits would not be).
        _putenv_s("TAMSI_RANKING_SERVER", ("localhost" + server.Address().substr(9)).c_str());
        // Until it ends or, when a reply is held, until that reply is awaited; another Send and
        // an Update Online Log meanwhile start nothing.
        const DWORD start = GetTickCount();
        const bool held = c.script[1] == 'h';
        UploadResults(list, 3);
        if (UploadRunning()) UploadResults(list, 3), UpdateOnlineLog();
        for (; UploadRunning() && GetTickCount() - start < 20000;) {
            PumpMessages(20);
            if (held && server.Requests().size() == 2) break;
        }
        StopUpload();  // as Tamsi's closing does
        EXPECT_FALSE(UploadRunning());
        EXPECT_EQ(boxes, c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        std::string sent;
        for (const std::string& request : server.Requests())
            sent += request.substr(request.find("rr_distance=") + 12, 4) + " ";
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(settings.lastUploadTime, c.last);
        EXPECT_EQ(SavedLastUploadTime(), c.last == T - 100 ? -1 : c.last);
        EXPECT_EQ(steps, (int)sent.size() / 5 * 2);  // after each header and each body
        if (c.cookie) {
            EXPECT_EQ(ranges, std::vector<LPARAM>{MAKELPARAM(0, c.recording ? 4 : 6)});
            EXPECT_GE(GetTickCount() - start, held ? 0u : 1000u);  // "Please Wait" stays 1 s
        }
        DeleteFileA(recorded.c_str());
    }
    UnhookWindowsHookEx(range), UnhookWindowsHookEx(step);
    DestroyWindow(mainWindow);
    mainWindow = NULL;
    DeleteFileA(cookiePath.c_str());
    rowFileSeconds = 0;
    uploadTimeOuts.replyMs = 60000;
}

}  // namespace
