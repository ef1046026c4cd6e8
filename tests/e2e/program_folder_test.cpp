// Where Tamsi keeps its files and how many of it run: a program folder that cannot be written
// sends the settings and workouts to local application data, and a second start only brings
// the running Tamsi forward.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>

#include "../win/printed_pdf.h"
#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

TEST(ProgramFolder, ASecondStartBringsTheRunningTamsiForwardAndOpensNothing) {
    TamsiProcess running("running"), second("second");
    running.Set("TAMSI_SIM_START_DELAY", "100000");
    ASSERT_TRUE(running.Start());
    ShowWindow(running.window(), SW_MINIMIZE);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return IsIconic(running.window()); }));
    ASSERT_TRUE(second.Launch());
    EXPECT_EQ(second.Exited(20000), 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return !IsIconic(running.window()); }, 5000));
    // Neither the monitor, nor the settings, nor the data folder was touched.
    EXPECT_EQ(ListFolder(second.folder()),
              (std::vector<std::string>{"PM3CsafeCP.dll", "PM3DDICP.dll", "Tamsi.exe", "data"}));
    EXPECT_EQ(running.Close(), 0);
}

TEST(ProgramFolder, AFolderThatCannotBeWrittenKeepsWorkoutsInLocalApplicationData) {
    char local[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, local);
    const std::string kept = std::string(local) + "\\Tamsi";
    std::filesystem::remove_all(kept);
    TamsiProcess tamsi("read-only");
    ASSERT_TRUE(tamsi.Start());  // a first run beside the program leaves Danish settings
    tamsi.Command(IDM_DANISH);
    ASSERT_EQ(tamsi.Close(), 0);
    const std::string beside = ReadWholeFile(tamsi.path("Tamsi.ini"));
    ASSERT_EQ(beside.size(), 100u);

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
    const std::string saved = ReadWholeFile(kept + "\\Tamsi.ini");
    EXPECT_EQ(saved.size(), 100u);
    EXPECT_EQ(saved.substr(std::min<size_t>(96, saved.size())), beside.substr(96));  // Danish
    std::filesystem::remove_all(kept);
}

}  // namespace
