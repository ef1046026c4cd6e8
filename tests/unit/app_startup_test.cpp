// The base directory from the command line and the main window's placement rule.
#include <gtest/gtest.h>
#include <stdint.h>

#include <vector>

#include "app/base_directory.h"
#include "app/window_placement.h"

namespace {

TEST(BaseDirectory, TheProgramFolderOrTheCurrentOne) {
    const struct {
        const char *line, *folder;
    } cases[] = {
        {"\"C:\\My Apps\\Tamsi.exe\" ignored \\ argument", "C:\\My Apps"},
        {"C:\\Tamsi\\Tamsi.exe C:\\x", "C:\\Tamsi\\Tamsi.exe C:"},  // a bare line is taken whole
        {"Tamsi.exe", "."},
    };
    for (const auto& c : cases) {
        char folder[260];
        ParseBaseDirectory(c.line, folder, sizeof folder);
        EXPECT_STREQ(folder, c.folder) << c.line;
    }
}

TEST(WindowPlacement, AnySavedFrameOpensWhollyInsideTheWorkArea) {
    const SettingsRect area = {0, 30, 1024, 798};
    const struct {
        SettingsRect saved;
        std::vector<int> placed;  // left, top, width, height
    } cases[] = {
        {{500, 50, 1300, 650}, {224, 50, 800, 600}},  // moved in by the least distance
        {{10, 700, 810, 1300}, {10, 198, 800, 600}},
        {{-50, -50, 3000, 3000}, {0, 30, 1024, 768}},  // shrunk to the work area
        {{10, 500, 810, 500}, {0, 30, 1024, 768}},     // flat: a damaged file
    };
    for (const auto& c : cases) {
        WindowPlacement p = PlaceInWorkArea(c.saved, area);
        EXPECT_EQ((std::vector<int>{p.left, p.top, p.width, p.height}), c.placed) << &c - cases;
    }
}

}  // namespace
