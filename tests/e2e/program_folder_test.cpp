// Where Tamsi keeps its files and how many of it run: the window's place and the language saved
// beside the program, a program folder that cannot be written sending the settings and workouts
// to local application data, and a second start only bringing the running Tamsi forward.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>

#include "../win/printed_pdf.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tamsi_process.h"

namespace {

// A second start only brings the running Tamsi forward; closed by File, Exit while minimised,
// Tamsi saves its frame and language beside the program and reopens as it was left.
TEST(ProgramFolder, OneRunsReopensAsLeftAndKeepsWorkoutsInLocalAppDataWhenItCannotWrite) {
    char local[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, local);
    const std::string kept = std::string(local) + "\\Tamsi";
    std::filesystem::remove_all(kept);
    TamsiProcess tamsi("read-only"), second("second");
    CopyFileA(TAMSI_DIST_DIR "\\Tamsi\\Tamsi.chm", tamsi.path("Tamsi.chm").c_str(), FALSE);
    tamsi.Set("TAMSI_SIM_START_DELAY", "1000000");  // idle until the folder is read-only
    ASSERT_TRUE(tamsi.Start());
    tamsi.Command(IDM_DANISH);
    MoveWindow(tamsi.window(), 60, 50, 640, 480, TRUE);
    RECT placed, reopened;
    GetWindowRect(tamsi.window(), &placed);
    auto iconic = [&] { return IsIconic(tamsi.window()) != 0; };
    PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor(iconic));
    ASSERT_TRUE(second.Launch());
    EXPECT_EQ(second.Exited(20000), 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return !iconic(); }, 5000));
    // The second start touched neither the monitor, nor the settings, nor the data folder.
    EXPECT_EQ(ListFolder(second.folder()),
              (std::vector<std::string>{"PM3CsafeCP.dll", "PM3DDICP.dll", "Tamsi.exe", "data"}));
    PostMessageA(tamsi.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor(iconic));
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
    const std::string beside = ReadWholeFile(tamsi.path("Tamsi.ini"));
    ASSERT_EQ(beside.size(), 100u);
    EXPECT_EQ(SavedSettings(tamsi.path("Tamsi.ini")).languageCommand, IDM_DANISH);

    // Root writes through permission bits; a read-only bind mount stops it too. Unmounted
    // lazily, as Tamsi may still be in the folder.
    const std::string folder = "\"$(winepath -u '" + tamsi.folder() + "')\"";
    struct Unmount {
        std::string folder;
        ~Unmount() { Host("umount -l " + folder); }
    } unmount{folder};
    if (Host("mount --bind " + folder + " " + folder + " && mount -o remount,bind,ro " + folder +
             " && echo mounted") != "mounted\n")
        GTEST_SKIP() << "no read-only bind mount here";
    tamsi.Set("TAMSI_SIM_TRANSCRIPT", "");
    tamsi.Set("TAMSI_SIM_START_DELAY", "200");
    ASSERT_TRUE(tamsi.Start());
    auto recorded = [&] {
        std::vector<std::string> files = ListFolder(kept + "\\data");
        return files.size() == 1 && ReadLines(kept + "\\data\\" + files[0]).size() >= 4;
    };
    EXPECT_TRUE(TamsiProcess::WaitFor(recorded, 60000));
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_TRUE(ListFolder(tamsi.path("data")).empty());
    EXPECT_EQ(ReadWholeFile(tamsi.path("Tamsi.ini")), beside);
    // The settings beside the program were read the first time, and are saved here since.
    EXPECT_EQ(ReadWholeFile(kept + "\\Tamsi.ini").size(), 100u);
    EXPECT_EQ(SavedSettings(kept + "\\Tamsi.ini").languageCommand, IDM_DANISH);
    std::filesystem::remove_all(kept);
}

}  // namespace
