// The online logbook of a real Tamsi.exe (built with the tests' key) against a fake logbook of
// the tests' own (fake_logbook.py, which checks every request), with Wine's browser set to a
// script that follows the authorise address back to Tamsi: connect, send two results, a second
// Send refused, an expired token renewed, a result refused, a finished workout sent by itself,
// and Disconnect.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <time.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "../win/printed_pdf.h"
#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

using Lines = std::vector<std::string>;

// The text of the "Online Logbook" message box once it shows (the dialog of that caption has
// no text control 0xFFFF); the box is closed.
std::string TakeBox() {
    HWND box = NULL;
    TamsiProcess::WaitFor([&] {
        while ((box = FindWindowExA(NULL, box, "#32770", "Online Logbook")) &&
               !GetDlgItem(box, 0xFFFF)) {
        }
        return box != NULL;
    });
    const std::string text = ItemText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    TamsiProcess::WaitFor([&] { return !IsWindow(box); });  // not to be taken for the dialog
    return text;
}

// The fake logbook's result-<id>.json against the row file of start: its date, totals and a
// stroke for each line (each stroke's fields are the unit tests' concern).
void ExpectSent(const std::string& kept, int id, const TamsiProcess& tamsi, int32_t start) {
    const auto result =
        nlohmann::json::parse(ReadWholeFile(kept + "\\result-" + std::to_string(id) + ".json"));
    const Lines lines = ReadLines(tamsi.path("data\\" + std::to_string(start) + ".csv"));
    ASSERT_EQ(result["stroke_data"].size() + 1, lines.size());
    int t = 0;
    double d = 0;
    sscanf(lines.back().c_str(), "%d,%lf", &t, &d);
    char date[32];
    const time_t seconds = start;
    strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", localtime(&seconds));
    EXPECT_EQ(result["date"], date);
    EXPECT_EQ(result["distance"], (int)d);
    EXPECT_EQ(result["time"], t / 10);
    EXPECT_EQ(result["weight_class"], "H");
}

TEST(Logbook, ConnectSendRenewRefuseAndDisconnect) {
    const std::string logbook = "/tmp/tamsi-logbook-" + std::to_string(8 * sizeof(void*));
    std::string seen = "Z:" + logbook;  // the same folder as Windows sees it
    for (char& c : seen) c = c == '/' ? '\\' : c;
    Host("rm -rf " + logbook + "; mkdir -p " + logbook +
         "; (python3 " TAMSI_SOURCE_DIR "/tests/e2e/fake_logbook.py " + logbook +
         " >/dev/null 2>&1 &)");
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return !ReadWholeFile(seen + "\\port").empty(); }));
    const char browser[] = TAMSI_SOURCE_DIR "/tests/e2e/logbook_browser.py";
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ, browser,
                    sizeof browser);
    TamsiProcess tamsi("logbook");  // the simulated rower rows on
    ASSERT_TRUE(CopyFileA(TAMSI_KEYED_EXE, tamsi.path("Tamsi.exe").c_str(), FALSE));
    const int32_t starts[] = {1234567000, 1234568000, 1234569000, 1234570000};
    const double metres[] = {2000, 5000, 3000, 1234};  // the last one the logbook refuses
    for (int i = 0; i < 4; ++i) WriteWorkout(tamsi.folder(), starts[i], metres[i]);
    tamsi.Set("TAMSI_LOGBOOK_SERVER", "http://127.0.0.1:" + ReadWholeFile(seen + "\\port"));
    ASSERT_TRUE(tamsi.Start());

    tamsi.Command(IDM_ONLINE_LOGBOOK);
    HWND dialog = Shown("#32770", "Online Logbook");
    auto state = [&] { return ItemText(dialog, IDC_LOGBOOK_ROWER); };
    EXPECT_EQ(state(), "Not connected");
    PostMessageA(dialog, WM_COMMAND, IDC_LOGBOOK_CONNECT, 0);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return state() == "Connected as Ann Berg"; }, 60000));
    const std::string token = ReadWholeFile(tamsi.path("LogbookToken.txt"));
    EXPECT_TRUE(token.find("Ann Berg") != std::string::npos &&
                token.find("R1") == std::string::npos);
    WSADATA winsock;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);  // the listener is closed
    ASSERT_NE(probe, INVALID_SOCKET);
    sockaddr_in listener = {AF_INET, htons(TEST_LOGBOOK_PORT), {}, {}};
    listener.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_NE(connect(probe, (sockaddr*)&listener, sizeof listener), 0);
    closesocket(probe);
    HWND each = GetDlgItem(dialog, IDC_LOGBOOK_AUTO_SEND);
    PostMessageA(each, BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOGBOOK_AUTO_SEND, BN_CLICKED), (LPARAM)each);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);

    HWND pane = tamsi.OpenLog();  // rows oldest first
    auto send = [&](int first, int last) {
        Click(pane, first);
        Click(pane, last, MK_SHIFT);
        PostMessageA(pane, WM_COMMAND, IDM_LOG_SEND_LOGBOOK, 0);
    };
    const std::string record = tamsi.path("LogbookSent.txt");
    auto sentAre = [&](size_t n) {
        return TamsiProcess::WaitFor([&] { return ReadLines(record).size() == n; });
    };
    send(0, 1);
    ASSERT_TRUE(sentAre(2));
    ExpectSent(seen, 81, tamsi, starts[0]);
    ExpectSent(seen, 82, tamsi, starts[1]);
    send(0, 0);
    EXPECT_EQ(TakeBox(), "1 result is already in the online logbook and is not sent again.");
    send(2, 2);  // the logbook takes A1 as expired: renewed with R1, sent with A2
    ASSERT_TRUE(sentAre(3));
    send(3, 3);
    EXPECT_EQ(TakeBox(),
              "The online logbook did not take this result:\n\n"
              "The given data was invalid.\nThe distance must be at least 2000.");
    EXPECT_EQ(ReadLines(record), (Lines{"1234567000 81", "1234568000 82", "1234569000 83"}));
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return ListFolder(tamsi.path("data")).size() == 5; }));
    tamsi.Command(IDM_DISTANCE_2000);  // ends the piece being rowed: sent once it is closed
    ASSERT_TRUE(sentAre(4));
    const std::string rowed = ListFolder(tamsi.path("data"))[4];
    EXPECT_EQ(ReadLines(record)[3], rowed.substr(0, rowed.size() - 4) + " 84");

    tamsi.Command(IDM_ONLINE_LOGBOOK);
    dialog = Shown("#32770", "Online Logbook");
    PostMessageA(dialog, WM_COMMAND, IDC_LOGBOOK_DISCONNECT, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return state() == "Not connected"; }));
    EXPECT_EQ(ReadWholeFile(tamsi.path("LogbookToken.txt")), "");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    send(3, 3);
    EXPECT_EQ(TakeBox().substr(0, 45), "Tamsi is not connected to the online logbook.");
    EXPECT_EQ(tamsi.Close(), 0);

    Lines requests;  // every request and problem but the browser's own pages
    for (const std::string& line : ReadLines(seen + "\\log"))
        if (line.rfind("GET /oauth", 0) && line.rfind("GET /test", 0))
            requests.push_back(line.substr(0, 20));
    std::ofstream(seen + "\\stop");
    EXPECT_EQ(requests,
              (Lines{"BROWSER wrong_path=4", "POST /oauth/access_t", "TOKEN authorization_",
                     "GET /api/users/me", "POST /api/users/me/r", "POST /api/users/me/r",
                     "POST /api/users/me/r", "UNAUTHORISED A1", "POST /oauth/access_t",
                     "TOKEN refresh_token ", "POST /api/users/me/r", "POST /api/users/me/r",
                     "POST /api/users/me/r"}));
}

}  // namespace
