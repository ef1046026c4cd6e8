// The upload of the real Tamsi.exe while a piece is rowed in real time, to a server that takes
// 10 s a reply: the poll goes on and every stroke reaches the row file; a Send of the newer of
// two unsent results leaves the older for Update Online Log, which sends it first and saves it
// as sent at once; closing Tamsi while a reply is awaited marks nothing more.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <stdio.h>

#include <fstream>

#include "../win/printed_pdf.h"
#include "../win/test_ranking_server.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

struct Polls {
    int counters = 0, strokes = 0;
};

// The counter and stroke polls the simulated monitor has answered.
Polls Answered(const std::string& transcript) {
    Polls polls;
    for (const std::string& line : ReadLines(transcript)) {
        polls.counters += line.find("[1A 03 A0 A3 BF] -> 0 [") != std::string::npos;
        polls.strokes += line.find("[A6 B4 A3 A7 B0] -> 0 [") != std::string::npos;
    }
    return polls;
}

int32_t SavedLastUploadTime(const TamsiProcess& tamsi) {  // -1 without a settings file
    const std::string saved = ReadWholeFile(tamsi.path("Tamsi.ini"));
    if (saved.size() < sizeof(Settings)) return -1;
    return reinterpret_cast<const Settings*>(saved.data())->lastUploadTime;
}

bool PleaseWaitShown() {
    return IsWindowVisible(FindWindowA("#32770", "Please Wait"));
}

TEST(Upload, ASlowServerStopsNoStrokeAndOnlyWhatItTookCountsAsSent) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    const std::string cookie = std::string(folder) + "\\rower@sranking03[3].txt";
    std::ofstream(cookie, std::ios::binary) << "user\nR0wer42\nconcept2.com/sranking03/\n*\n";
    TestRankingServer server("ooh", 10000);  // the third reply never comes
    TamsiProcess tamsi("upload-slow");
    const int32_t older = 1234567000, newer = 1234568000;
    WriteWorkout(tamsi.folder(), older, 2000.0);
    WriteWorkout(tamsi.folder(), newer, 5000.0);
    tamsi.Set("TAMSI_SIM_MODE", "realtime");
    tamsi.Set("TAMSI_SIM_RATE", "30");
    tamsi.Set("TAMSI_RANKING_SERVER", server.Address());
    ASSERT_TRUE(tamsi.Start());
    const std::string transcript = tamsi.path("transcript.txt");
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return Answered(transcript).strokes >= 3; }, 60000));

    // The log's rows by date: older, newer, the piece. Send the newer one.
    tamsi.Command(IDM_ROWING_LOG);
    HWND frame = Shown("ListWndClass", "Rowing Log"), pane = NULL;
    ASSERT_TRUE(
        TamsiProcess::WaitFor([&] { return pane = FindWindowExA(frame, 0, "ListClass", 0); }));
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 45));
    PostMessageA(pane, WM_COMMAND, IDM_LOG_SEND, 0);
    const DWORD sendStart = GetTickCount();
    const int countersBefore = Answered(transcript).counters;
    ASSERT_TRUE(TamsiProcess::WaitFor(PleaseWaitShown));
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);  // starts nothing while the Send runs
    SaveScreenshot("upload-while-rowing");
    ASSERT_TRUE(TamsiProcess::WaitFor([] { return !PleaseWaitShown(); }, 30000));
    const DWORD sendMs = GetTickCount() - sendStart;
    const int countersDuring = Answered(transcript).counters - countersBefore;
    EXPECT_GE(countersDuring, (int)sendMs / 250 / 2);  // the poll ticked on, four times a second
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find("rr_distance=5000&"), std::string::npos);
    EXPECT_EQ(SavedLastUploadTime(tamsi), -1);  // the older one is still unsent

    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return SavedLastUploadTime(tamsi) == older; }));
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return server.Requests().size() == 3; }));
    EXPECT_NE(server.Requests()[1].find("rr_distance=2000&"), std::string::npos);
    EXPECT_NE(server.Requests()[2].find("rr_distance=5000&"), std::string::npos);
    const DWORD closeStart = GetTickCount();
    EXPECT_EQ(tamsi.Close(), 0);
    const DWORD closeMs = GetTickCount() - closeStart;
    EXPECT_EQ(SavedLastUploadTime(tamsi), older);

    // Every stroke the monitor answered is a line of the piece's row file.
    const std::vector<std::string> files = ListFolder(tamsi.path("data"));
    ASSERT_EQ(files.size(), 3u);
    const int lines = (int)ReadLines(tamsi.path("data\\" + files[2])).size() - 1;
    const Polls polls = Answered(transcript);
    EXPECT_EQ(lines, polls.strokes);
    printf(
        "strokes answered %d, stroke lines %d; Send %lu ms with %d counter polls; close %lu ms\n",
        polls.strokes, lines, sendMs, countersDuring, closeMs);
    DeleteFileA(cookie.c_str());
}

}  // namespace
