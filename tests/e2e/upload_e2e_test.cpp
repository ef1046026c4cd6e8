// The upload of the real Tamsi.exe during a piece rowed in real time, to a server taking 10 s a
// reply: the poll ticks on and every stroke reaches the row file; a Send of the newer of two
// unsent results leaves the older for Update Online Log, which sends it first and saves it as
// sent at once; closing Tamsi while a reply is awaited marks nothing more.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>

#include "../win/printed_pdf.h"
#include "../win/test_ranking_server.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

int Answered(const std::string& transcript, const char* poll) {  // by the simulated monitor
    int count = 0;
    for (const std::string& line : ReadLines(transcript))
        count += line.find(std::string(poll) + " -> 0 [") != std::string::npos;
    return count;
}

int32_t Saved(const TamsiProcess& tamsi) {  // lastUploadTime in Tamsi.ini, -1 without one
    const std::string saved = ReadWholeFile(tamsi.path("Tamsi.ini")) + std::string(100, '\xFF');
    return reinterpret_cast<const Settings*>(saved.data())->lastUploadTime;
}

TEST(Upload, ASlowServerStopsNoStrokeAndOnlyWhatItTookCountsAsSent) {
    char cookie[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, cookie);
    strcat(cookie, "\\rower@sranking03[3].txt");
    std::ofstream(cookie, std::ios::binary) << "user\nR0wer42\nconcept2.com/sranking03/\n*\n";
    TestRankingServer server("ooh", 10000);  // the third reply never comes
    TamsiProcess tamsi("upload-slow");
    WriteWorkout(tamsi.folder(), 1234567000, 2000.0);
    WriteWorkout(tamsi.folder(), 1234568000, 5000.0);
    tamsi.Set("TAMSI_SIM_MODE", "realtime");
    tamsi.Set("TAMSI_SIM_RATE", "30");
    tamsi.Set("TAMSI_RANKING_SERVER", server.Address());
    ASSERT_TRUE(tamsi.Start());
    auto pleaseWait = [] { return IsWindowVisible(FindWindowA("#32770", "Please Wait")) != 0; };
    const std::string transcript = tamsi.path("transcript.txt"), strokes = "[A6 B4 A3 A7 B0]";
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return Answered(transcript, strokes.c_str()) >= 3; }));

    // The log's rows by date: older, newer, the piece. Send the newer one.
    tamsi.Command(IDM_ROWING_LOG);
    HWND frame = Shown("ListWndClass", "Rowing Log"), pane = NULL;
    ASSERT_TRUE(
        TamsiProcess::WaitFor([&] { return pane = FindWindowExA(frame, 0, "ListClass", 0); }));
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 45));
    PostMessageA(pane, WM_COMMAND, IDM_LOG_SEND, 0);
    const DWORD start = GetTickCount();
    const int counters = Answered(transcript, "[1A 03 A0 A3 BF]");
    ASSERT_TRUE(TamsiProcess::WaitFor(pleaseWait));
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);  // starts nothing while the Send runs
    SaveScreenshot("upload-while-rowing");
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return !pleaseWait(); }));
    const DWORD sendMs = GetTickCount() - start;
    const int polled = Answered(transcript, "[1A 03 A0 A3 BF]") - counters;
    EXPECT_GE(polled, (int)sendMs / 250 / 2);  // the poll ticked on, four times a second
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find("rr_distance=5000&"), std::string::npos);
    EXPECT_EQ(Saved(tamsi), -1);  // the older one is still unsent

    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return Saved(tamsi) == 1234567000; }));
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return server.Requests().size() == 3; }));
    EXPECT_NE(server.Requests()[2].find("rr_distance=5000&"), std::string::npos);
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(Saved(tamsi), 1234567000);
    const std::vector<std::string> files = ListFolder(tamsi.path("data"));
    ASSERT_EQ(files.size(), 3u);
    const int lines = (int)ReadLines(tamsi.path("data\\" + files[2])).size() - 1;
    EXPECT_EQ(lines, Answered(transcript, strokes.c_str()));  // every stroke in the row file
    DeleteFileA(cookie);
}

}  // namespace
