// The rowing log, printing and upload of the real Tamsi.exe over four recorded workouts: sent
// once to a ranking server of the test's own, and printed through the print dialog to a PDF.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "../win/printed_pdf.h"
#include "../win/test_ranking_server.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

// Prints from this window, typing the copies into the print dialog, and returns what the
// PDF printer made: "title: pages, pages turned to landscape: distance per page".
std::string Print(HWND from, int copies) {
    PostMessageA(from, WM_COMMAND, IDM_LOG_PRINT, 0);
    HWND dialog = Shown("#32770", "Print");
    SetDlgItemInt(dialog, 0x482, copies, FALSE);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    std::string pdf;
    TamsiProcess::WaitFor([&] { return !(pdf = Printed()).empty(); }, 30000);
    return pdf;
}

TEST(RowingLog, UploadsPrintsAndShowsTheRecordedWorkouts) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_COOKIES | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder);
    const std::string cookie = std::string(folder) + "\\rower@sranking03[2].txt";
    std::ofstream(cookie, std::ios::binary) << "user\nR0wer%2D42\nconcept2.com/sranking03/\n*\n";
    TestRankingServer server("o");
    TamsiProcess tamsi("rowing-log", false);
    const double metres[] = {2000.0, 2001.0, 5000.5, 1999.9};
    for (int i = 0; i < 4; ++i) WriteWorkout(tamsi.folder(), 1234567000 + 100 * i, metres[i]);
    tamsi.Set("TAMSI_RANKING_SERVER", server.Address());
    ASSERT_TRUE(tamsi.Start());
    Printed();

    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return server.Requests().size() == 4; }));
    Sleep(100);  // "Please Wait" stays a second after the last result is sent
    EXPECT_TRUE(IsWindowVisible(FindWindowA("#32770", "Please Wait")));
    std::string sent;  // in the folder's order, which the test does not fix
    for (const std::string& request : server.Requests()) sent += request;
    for (const char* metres : {"=1999&", "=2000&", "=2001&", "=5000&"})
        EXPECT_NE(sent.find(std::string("rr_distance") + metres), std::string::npos) << metres;
    Sleep(1500);  // the upload's own second of waiting
    tamsi.Command(IDM_UPDATE_ONLINE_LOG);
    HWND notice = Shown("#32770", "Notice");
    EXPECT_EQ(ItemText(notice), "No new entries found to be uploaded.");
    EXPECT_EQ(GetWindow(notice, GW_OWNER), tamsi.window());
    PostMessageA(notice, WM_COMMAND, IDOK, 0);

    HWND pane = tamsi.OpenLog();
    Click(pane, 0);
    Click(pane, 3, MK_SHIFT);
    const std::string pdf = Print(pane, 2);  // the rows in the folder's order, which is not fixed
    EXPECT_EQ(pdf.substr(0, 24), "Printing Results: 8, 8: ");
    for (const char* metres : {"2000.0", "2001.0", "5000.5", "1999.9"})
        EXPECT_NE(pdf.find(metres, pdf.find(metres) + 1), std::string::npos) << metres;
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return IsWindowEnabled(tamsi.window()); }, 5000));
    SaveScreenshot("log-selection");
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(server.Requests().size(), 4u);
    EXPECT_EQ(SavedSettings(tamsi.path("Tamsi.ini")).lastUploadTime, 1234567300);
    DeleteFileA(cookie.c_str());
}

// The open log lists a workout as the recorder makes and closes its row file; deleted, the
// file lands in the Recycle Bin, which Wine keeps in the XDG trash (when the folder exists).
TEST(RowingLog, ListsAWorkoutRowedWhileOpenAndDeletesItIntoTheRecycleBin) {
    TamsiProcess tamsi("log-while-rowing");
    // 100 m in eight polls of a second of rowing each, after 20 polls to open the log first.
    std::ofstream(tamsi.path("simmonitor.ini")) << "step=100\npace=40\nstart_delay=2000\n"
                                                << "piece=100\npieces=1\n";
    const std::string trash = "Z:\\tmp\\tamsi-e2e-trash";
    std::filesystem::remove_all(trash);
    std::filesystem::create_directories(trash);
    tamsi.Set("XDG_DATA_HOME", "/tmp/tamsi-e2e-trash");
    WriteWorkout(tamsi.folder(), 1234567000, 2000.0);
    ASSERT_TRUE(tamsi.Start());
    HWND pane = tamsi.OpenLog();
    ASSERT_EQ(ListFolder(tamsi.path("data")).size(), 1u);
    std::string name;  // the new row file, once the recorder has closed it
    EXPECT_TRUE(TamsiProcess::WaitFor(
        [&] {
            name = ListFolder(tamsi.path("data")).back();  // after 1234567000.csv
            if (name == "1234567000.csv") return false;    // not to be held open while it is read
            HANDLE alone = CreateFileA(tamsi.path("data\\" + name).c_str(), GENERIC_READ, 0, NULL,
                                       OPEN_EXISTING, 0, NULL);
            return alone != INVALID_HANDLE_VALUE && CloseHandle(alone);
        },
        60000));
    // The last row, the newest, is the new workout's: Delete moves its file to the bin.
    const std::string rowed = ReadWholeFile(tamsi.path("data\\" + name));
    PostMessageA(pane, WM_KEYDOWN, VK_END, 0);
    PostMessageA(pane, WM_KEYDOWN, VK_DELETE, 0);  // one row: no question
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return ListFolder(tamsi.path("data")).size() == 1; }));
    EXPECT_EQ(ReadWholeFile(trash + "\\Trash\\files\\" + name), rowed);
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
