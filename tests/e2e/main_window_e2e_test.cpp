// The main window of the real program beside an idle monitor: the language switch, File, Exit
// while minimised, and Help Topics.
#include <gtest/gtest.h>

#include "../win/printed_pdf.h"
#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// A fingerprint of the window's client area as the screen shows it, taken on the host.
std::string ClientPicture(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&r), 2);
    return Host("/usr/bin/import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
                std::to_string(r.top) + " rgb:- | md5sum");
}

// With an idle monitor no tick redraws the panel: the language switch itself must. Closed by
// File, Exit while minimised, Tamsi saves its frame and reopens it as it was placed.
TEST(MainWindowE2e, RelabelsAtOnceReopensInItsSavedPlaceAndShowsHelp) {
    TamsiProcess tamsi("main-window");
    CopyFileA(TAMSI_DIST_DIR "\\Tamsi\\Tamsi.chm", tamsi.path("Tamsi.chm").c_str(), FALSE);
    tamsi.Set("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    Sleep(500);
    const std::string english = ClientPicture(tamsi.window());
    tamsi.Command(IDM_DANISH);
    EXPECT_TRUE(
        TamsiProcess::WaitFor([&] { return ClientPicture(tamsi.window()) != english; }, 5000));
    SaveScreenshot("danish-idle");
    tamsi.Command(IDM_ENGLISH);
    EXPECT_TRUE(
        TamsiProcess::WaitFor([&] { return ClientPicture(tamsi.window()) == english; }, 5000));

    MoveWindow(tamsi.window(), 60, 50, 640, 480, TRUE);
    RECT placed, reopened;
    GetWindowRect(tamsi.window(), &placed);
    PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return IsIconic(tamsi.window()) != 0; }));
    tamsi.Command(IDM_EXIT);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return !tamsi.Running(); }));
    ASSERT_TRUE(tamsi.Start());
    GetWindowRect(tamsi.window(), &reopened);
    EXPECT_EQ((std::vector<long>{reopened.left, reopened.top, reopened.right, reopened.bottom}),
              (std::vector<long>{60, 50, placed.right, placed.bottom}));

    tamsi.Command(IDM_HELP_TOPICS);
    EXPECT_TRUE(Shown(NULL, "Tamsi Help") != NULL);
    SaveScreenshot("help");
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
