// UploadResults in this process against a ranking server of the test's own: the results posted
// oldest first, each reply awaited before the next request, the progress bar, lastUploadTime
// moved over what was taken and saved at once, and every message with its caption.
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
HHOOK hooks[2];

std::string Folder() {
    return ProgramFolder() + "\\upload";
}  // settings and row files
std::string CookiePath() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\tester@sranking03[1].txt";
}

// Starts the upload of the three results, last sent at T - 100, with this cookie file (none
// when null) to the server at address, from a main window of its own.
void StartUpload(const char* cookie, const std::string& address) {
    if (cookie) std::ofstream(CookiePath(), std::ios::binary) << cookie;
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", Folder().c_str());
    CreateDirectoryA(Folder().c_str(), NULL);
    CreateDirectoryA((Folder() + "\\data").c_str(), NULL);
    uploadMessageBox = settingsMessageBox = RecordBox;
    hooks[0] = SetWindowsHookExA(WH_CALLWNDPROC, WatchRange, NULL, GetCurrentThreadId());
    hooks[1] = SetWindowsHookExA(WH_GETMESSAGE, CountSteps, NULL, GetCurrentThreadId());
    mainWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
    boxes.clear(), ranges.clear(), steps = 0;
    settings.lastUploadTime = T - 100;
    _putenv_s("TAMSI_RANKING_SERVER", address.c_str());
    UploadResults(list, 3);
}

// Lets the upload end (stopping it after 20 s) and tidies up.
void EndUpload() {
    for (DWORD start = GetTickCount(); UploadRunning() && GetTickCount() - start < 20000;)
        PumpMessages(20);
    StopUpload();
    for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
    DestroyWindow(mainWindow);
    mainWindow = NULL;
    DeleteFileA(CookiePath().c_str());
}

int32_t SavedLastUploadTime() {  // -1 without a settings file
    Settings saved = {};
    std::ifstream file(Folder() + "\\Tamsi.ini", std::ios::binary);
    return file.read(reinterpret_cast<char*>(&saved), sizeof saved) ? saved.lastUploadTime : -1;
}

TEST(UploadResultsWin, ResultsGoOldestFirstEachAfterTheLastReplyAndOnlyWhatWasTakenCountsAsSent) {
    const struct {
        const char* cookie;  // the cookie file, or none
        const char* script;  // the server's answers
        int32_t recording;   // the row file the recorder has open
        int32_t onDisk;      // a row file not in the list
        DWORD replyMs;
        const char* box;  // null: none
        const char* sent;
        int connections;
        int32_t last;  // lastUploadTime after, and in Tamsi.ini when it moved
    } cases[] = {
        {USER, "o", 0, 0, 60000, nullptr, "2000 2001 2002 ", 1, T + 100},
        {nullptr, "o", 0, 0, 60000,
         "Configuration Error: Couldn't find settings for concept2 online log.\n"
         "Please log in using Internet Explorer and try again.",
         "", 0, T - 100},
        {USER, "o5", 0, 0, 60000,
         "Connection Problem: The online log did not take result 2 of 3: "
         "HTTP/1.1 500 Internal Server Error\n",
         "2000 2001 ", 1, T},
        {USER, "c", 0, 0, 60000, nullptr, "2000 2001 2002 ", 3, T + 100},
        {USER, "o", T + 10, T + 10, 60000, "Notice: This workout is still being recorded.",
         "2000 2002 ", 1, T},
        {USER, "o", 0, T - 50, 60000, nullptr, "2000 2001 2002 ", 1, T - 100},
        {USER, "ot", 0, 0, 1500, "Connection Problem: recv() failed: 10060\n", "2000 2001 ", 1, T},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script + std::string(c.cookie ? "" : " without a cookie"));
        DeleteFileA((Folder() + "\\Tamsi.ini").c_str());
        const std::string older = Folder() + "\\data\\" + std::to_string(c.onDisk) + ".csv";
        if (c.onDisk) std::ofstream(older) << "Time,Distance,Pace,Watts,Cals,SPM,HR\n";
        rowFileSeconds = c.recording;
        uploadTimeOuts.replyMs = c.replyMs;
        TestRankingServer server(c.script);
        const DWORD start = GetTickCount();
        StartUpload(c.cookie, server.Address());
        EndUpload();
        EXPECT_EQ(boxes, c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        std::string sent;
        for (const std::string& request : server.Requests())
            sent += request.substr(request.find("rr_distance=") + 12, 4) + " ";
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(server.Connections(), c.connections);
        EXPECT_EQ(settings.lastUploadTime, c.last);
        EXPECT_EQ(SavedLastUploadTime(), c.last == T - 100 ? -1 : c.last);
        EXPECT_EQ(steps, (int)sent.size() / 5 * 2);  // after each header and each body
        if (c.cookie) {
            EXPECT_EQ(ranges, std::vector<LPARAM>{MAKELPARAM(0, c.recording ? 4 : 6)});
            EXPECT_GE(GetTickCount() - start, 1000u);  // "Please Wait" stays a second
        }
        DeleteFileA(older.c_str());
    }
    rowFileSeconds = 0;
    uploadTimeOuts.replyMs = 60000;
}

TEST(UploadResultsWin, OneUploadRunsAtATimeAndStoppingItKeepsWhatWasTaken) {
    TestRankingServer server("oh");  // the second result's reply never comes
    StartUpload(USER, server.Address());
    UploadResults(list, 3);
    UpdateOnlineLog();
    while (server.Requests().size() < 2) PumpMessages(20);
    PumpMessages(300);
    StopUpload();  // as Tamsi's closing does
    EXPECT_FALSE(UploadRunning());
    EXPECT_EQ(ranges.size(), 1u);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(settings.lastUploadTime, T);
    EXPECT_TRUE(boxes.empty());
    EndUpload();
}

}  // namespace
