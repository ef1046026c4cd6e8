// The main window of the real program: File, Exit while minimised, and Help Topics.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// Closed by File, Exit while minimised, it saves and reopens its frame as it was placed.
TEST(MainWindowE2e, ClosedWhileMinimisedItReopensInItsSavedPlace) {
    TamsiProcess tamsi("minimised");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    MoveWindow(tamsi.window(), 60, 50, 640, 480, TRUE);
    RECT placed;
    GetWindowRect(tamsi.window(), &placed);
    PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return IsIconic(tamsi.window()) != 0; }));
    tamsi.Command(IDM_EXIT);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return !tamsi.Running(); }));

    ASSERT_TRUE(tamsi.Start());
    Sleep(500);
    SaveScreenshot("reopened-in-saved-place");
    RECT reopened;
    GetWindowRect(tamsi.window(), &reopened);
    EXPECT_EQ((std::vector<long>{reopened.left, reopened.top, reopened.right, reopened.bottom}),
              (std::vector<long>{placed.left, placed.top, placed.right, placed.bottom}));
    EXPECT_EQ((std::vector<long>{placed.left, placed.top}), (std::vector<long>{60, 50}));
    EXPECT_EQ(tamsi.Close(), 0);
}

BOOL CALLBACK FindHelpWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[128] = "";
    GetWindowTextA(window, title, sizeof title);
    if (owner == search->first && strstr(title, "Tamsi Help") && IsWindowVisible(window)) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

TEST(MainWindowE2e, HelpTopicsOpensTheHelpWindow) {
    TamsiProcess tamsi("help");
    CopyFileA(TAMSI_DIST_DIR "\\Tamsi\\Tamsi.chm", tamsi.path("Tamsi.chm").c_str(), FALSE);
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    tamsi.Command(IDM_HELP_TOPICS);
    std::pair<DWORD, HWND> search = {tamsi.processId(), NULL};
    EXPECT_TRUE(TamsiProcess::WaitFor([&] {
        EnumWindows(FindHelpWindow, reinterpret_cast<LPARAM>(&search));
        return search.second != NULL;
    }));
    SaveScreenshot("help");
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
