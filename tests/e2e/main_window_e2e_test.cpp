// The main window of the real program beside an idle monitor: File, Exit while minimised, the
// next start as it was left, and Help Topics.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// Closed by File, Exit while minimised, Tamsi saves its frame and language and reopens as it was.
TEST(MainWindowE2e, ReopensInItsSavedPlaceAndLanguageAndShowsHelp) {
    TamsiProcess tamsi("main-window");
    CopyFileA(TAMSI_DIST_DIR "\\Tamsi\\Tamsi.chm", tamsi.path("Tamsi.chm").c_str(), FALSE);
    tamsi.Set("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    tamsi.Command(IDM_DANISH);
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
    // The language read at the start is the one saved at the end.
    const std::string saved = ReadWholeFile(tamsi.path("Tamsi.ini"));
    ASSERT_EQ(saved.size(), 100u);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(&saved[96]), IDM_DANISH);
}

}  // namespace
