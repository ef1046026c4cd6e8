// The main window of the real program: closing by the system menu or by File, Exit, and
// Help Topics.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

std::string SettingsAfter(const std::string& name, bool systemMenu) {
    TamsiProcess tamsi(name);
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "1000000");
    EXPECT_TRUE(tamsi.Start());
    MoveWindow(tamsi.window(), 50, 40, 720, 520, TRUE);
    tamsi.Command(IDM_GRAPH_PACE);
    tamsi.Command(IDM_DANISH);
    Sleep(300);
    if (systemMenu) {
        PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        tamsi.Command(IDM_EXIT);
    }
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return !tamsi.Running(); }));
    return ReadWholeFile(tamsi.path("Tamsi.ini"));
}

TEST(MainWindowE2e, TheSystemMenuSavesExactlyWhatFileExitSaves) {
    std::string bySystemMenu = SettingsAfter("close-system-menu", true);
    std::string byExit = SettingsAfter("close-exit", false);
    ASSERT_EQ(bySystemMenu.size(), 100u);
    EXPECT_EQ(bySystemMenu, byExit);
    // The frame as moved, the graph off, Danish.
    int32_t left, top, language;
    memcpy(&left, bySystemMenu.data() + 4, 4);
    memcpy(&top, bySystemMenu.data() + 8, 4);
    memcpy(&language, bySystemMenu.data() + 96, 4);
    EXPECT_EQ(left, 50);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(bySystemMenu[42], 0);
    EXPECT_EQ(language, 32813);
}

TEST(MainWindowE2e, ClosedWhileMinimisedItReopensInItsSavedPlace) {
    TamsiProcess tamsi("minimised");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    MoveWindow(tamsi.window(), 60, 50, 640, 480, TRUE);
    RECT placed;
    GetWindowRect(tamsi.window(), &placed);
    PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return IsIconic(tamsi.window()) != 0; }));
    EXPECT_EQ(tamsi.Close(), 0);

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
