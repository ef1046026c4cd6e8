// Update Online Log in the real Tamsi.exe: recorded row files posted to a ranking server of the
// test's own, the notice when nothing is new, and lastUploadTime kept in Tamsi.ini.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>

#include "../win/test_ranking_server.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

const int32_t LAST_UPLOAD = 1234567000;

// Waits for Tamsi's message box with this caption, presses OK, and returns its text.
std::string AnswerBox(const TamsiProcess& tamsi, const char* caption) {
    HWND box = NULL;
    TamsiProcess::WaitFor([&] { return (box = FindWindowA("#32770", caption)) != NULL; });
    char text[512] = "(no box)";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(GetWindow(box, GW_OWNER), tamsi.window());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

TEST(UploadEndToEnd, NewResultsArePostedOnceAndASecondRunFindsNothing) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    const std::string cookie = std::string(folder) + "\\rower@sranking03[2].txt";
    std::ofstream(cookie, std::ios::binary) << "user\nR0wer%2D42\nconcept2.com/sranking03/\n*\n";

    TestRankingServer server(TestRankingServer::ANSWER_OK);
    TamsiProcess tamsi("upload", false);
    Settings record = {};
    record.mainWindowRect = {0, 0, 800, 600};
    record.paceMax = record.strokeRateMax = record.heartRateMax = record.powerMax = 100;
    record.lastUploadTime = LAST_UPLOAD;
    record.languageCommand = IDM_ENGLISH;
    std::ofstream(tamsi.path("Tamsi.ini"), std::ios::binary)
        .write(reinterpret_cast<const char*>(&record), sizeof record);
    // The result recorded in the second of the last upload was sent then; three are new.
    const char* lastLines[] = {"42000,2000.0", "42000,2001.0", "123456,5000.5", "42000,1999.9"};
    for (int i = 0; i < 4; ++i) {
        std::ofstream(tamsi.path("data\\" + std::to_string(LAST_UPLOAD + 100 * i) + ".csv"))
            << "Time,Distance,Pace,Watts,Cals,SPM,HR\n"
            << lastLines[i] << ",0.2,302,95,28,150\n";
    }
    tamsi.SetSimulator("TAMSI_RANKING_SERVER", server.Address());
    ASSERT_TRUE(tamsi.Start());
    const int32_t before = (int32_t)time(nullptr);
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return server.Requests().size() == 3; }));
    SaveScreenshot("upload-please-wait");

    std::vector<std::string> distances;  // in the folder's order, which the test does not fix
    for (const std::string& request : server.Requests()) {
        distances.push_back(request.substr(request.find("rr_distance="), 16));
    }
    std::sort(distances.begin(), distances.end());
    EXPECT_EQ(distances, (std::vector<std::string>{"rr_distance=1999", "rr_distance=2001",
                                                   "rr_distance=5000"}));

    Sleep(1500);  // the upload's own second of waiting
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    EXPECT_EQ(AnswerBox(tamsi, "Notice"), "No new entries found to be uploaded.");
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(server.Requests().size(), 3u);
    int32_t saved = 0;
    memcpy(&saved, ReadWholeFile(tamsi.path("Tamsi.ini")).c_str() + 92, sizeof saved);
    EXPECT_GE(saved, before);
    DeleteFileA(cookie.c_str());
}

}  // namespace
