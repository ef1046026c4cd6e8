// Update Online Log in the real Tamsi.exe: recorded row files posted to a ranking server of the
// test's own, the notice when nothing is new, lastUploadTime in Tamsi.ini, and a refusal.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>

#include "../win/test_ranking_server.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

const int32_t LAST_UPLOAD = 1234567000;  // the settings' lastUploadTime before the test

struct BoxSearch {
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "", caption[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (owner == search->processId && strcmp(className, "#32770") == 0 &&
        strcmp(caption, search->caption) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for Tamsi's message box with this caption, presses its OK button and returns its text
// ("" when none came).
std::string AnswerBox(const TamsiProcess& tamsi, const char* caption, DWORD timeoutMs = 20000) {
    BoxSearch search = {tamsi.processId(), caption, NULL};
    TamsiProcess::WaitFor(
        [&] {
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            return search.found != NULL;
        },
        timeoutMs);
    if (search.found == NULL) return "";
    char text[512] = "";
    GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);  // the message box's text
    EXPECT_EQ(GetWindow(search.found, GW_OWNER), tamsi.window());
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    return text;
}

void WriteRowFile(const TamsiProcess& tamsi, int32_t startTime, const char* lastLine) {
    std::ofstream(tamsi.path("data\\" + std::to_string(startTime) + ".csv"), std::ios::binary)
        << "Time,Distance,Pace,Watts,Cals,SPM,HR\r\n100,2.0,0.5,100,1,20,0\r\n" << lastLine;
}

void WriteSettings(const TamsiProcess& tamsi) {
    Settings record = {};
    record.mainWindowRect = {0, 0, 800, 600};
    record.logWindowRect = {10, 30, 610, 600};
    record.paceMax = 5;
    record.strokeRateMax = 40;
    record.heartRateMax = 200;
    record.powerMax = 250;
    strcpy(record.rowerType, "slide");
    record.weightClass = 'L';
    record.lastUploadTime = LAST_UPLOAD;
    record.languageCommand = IDM_ENGLISH;
    std::ofstream(tamsi.path("Tamsi.ini"), std::ios::binary)
        .write(reinterpret_cast<const char*>(&record), sizeof record);
}

int32_t LastUploadTimeIn(const TamsiProcess& tamsi) {
    const std::string file = ReadWholeFile(tamsi.path("Tamsi.ini"));
    int32_t value = 0;
    if (file.size() == 100) memcpy(&value, file.data() + 92, sizeof value);
    return value;
}

class UploadEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = "";
        SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
        cookie = std::string(folder) + "\\rower@sranking03[2].txt";
        std::ofstream(cookie, std::ios::binary) << "user\nR0wer%2D42\nconcept2.com/sranking03/\n*\n";
    }
    void TearDown() override { DeleteFileA(cookie.c_str()); }

    // A Tamsi folder with three results after the last upload and one recorded in its second.
    void Prepare(TamsiProcess& tamsi, const TestRankingServer& server) {
        WriteSettings(tamsi);
        WriteRowFile(tamsi, LAST_UPLOAD, "42000,2000.0,0.210,302,95,28,150\r\n");
        WriteRowFile(tamsi, LAST_UPLOAD + 100, "42000,2001.0,0.210,302,95,28,150\r\n");
        WriteRowFile(tamsi, LAST_UPLOAD + 200, "123456,5000.5,0.210,302,95,28,150\r\n");
        WriteRowFile(tamsi, LAST_UPLOAD + 300, "42000,1999.9,0.210,302,95,28,150\r\n");
        tamsi.SetSimulator("TAMSI_RANKING_SERVER", server.Address());
    }
    std::string cookie;
};

TEST_F(UploadEndToEnd, NewResultsArePostedOnceAndTheSecondRunFindsNothing) {
    TestRankingServer server(TestRankingServer::ANSWER_OK);
    TamsiProcess tamsi("upload-new", false);
    Prepare(tamsi, server);
    ASSERT_TRUE(tamsi.Start());
    const int32_t before = (int32_t)time(nullptr);
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return server.Requests().size() == 3; }));
    SaveScreenshot("upload-please-wait");

    // The posts go out in the catalog's order, which is the folder's; compare them as a set.
    std::vector<std::string> bodies;
    for (const std::string& request : server.Requests()) {
        EXPECT_NE(request.find("\r\nCookie: user=R0wer%2D42\r\n"), std::string::npos);
        bodies.push_back(request.substr(request.find("\r\n\r\n") + 4));
    }
    std::sort(bodies.begin(), bodies.end());
    const char* expected[] = {"rr_distance=1999&rr_time_hr=0&rr_time_min=7&",
                              "rr_distance=2001&rr_time_hr=0&rr_time_min=7&",
                              "rr_distance=5000&rr_time_hr=0&rr_time_min=20&rr_time_sec=34&"
                              "rr_time_tenths=.5&"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bodies[i].substr(0, strlen(expected[i])), expected[i]);
        EXPECT_NE(bodies[i].find("&rr_slide=slide&rr_weight_class=L&"), std::string::npos);
    }
    // A second run after the success: nothing is new.
    Sleep(1500);
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    EXPECT_EQ(AnswerBox(tamsi, "Notice"), "No new entries found to be uploaded.");
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(server.Requests().size(), 3u);
    EXPECT_GE(LastUploadTimeIn(tamsi), before);
}

TEST_F(UploadEndToEnd, ARefusingServerIsNamedAndLeavesTheUploadTime) {
    TestRankingServer server(TestRankingServer::ANSWER_500);
    TamsiProcess tamsi("upload-refused", false);
    Prepare(tamsi, server);
    ASSERT_TRUE(tamsi.Start());
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    EXPECT_EQ(AnswerBox(tamsi, "Connection Problem"),
              "The online log did not take result 1 of 3: HTTP/1.1 500 Internal Server Error\n");
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(LastUploadTimeIn(tamsi), LAST_UPLOAD);
}

}  // namespace
