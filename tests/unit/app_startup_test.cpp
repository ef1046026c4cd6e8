// The base directory from the command line and the main window's placement rule.
#include <gtest/gtest.h>
#include <stdint.h>

#include <vector>

#include "app/base_directory.h"
#include "app/window_placement.h"

namespace {

std::string BaseDirectory(const char* commandLine, size_t size = 260) {
    std::vector<char> out(size, 'x');
    ParseBaseDirectory(commandLine, out.data(), out.size());
    return out.data();
}

TEST(BaseDirectory, TheProgramFolderOrTheCurrentOne) {
    const std::string fits = "C:\\" + std::string(256, 'b');  // the longest folder that fits
    const struct {
        std::string line, folder;
    } cases[] = {
        {"\"C:\\Apps\\Tamsi\\Tamsi.exe\"", "C:\\Apps\\Tamsi"},
        {"C:\\Apps\\Tamsi\\Tamsi.exe", "C:\\Apps\\Tamsi"},
        {"\"C:\\My Apps\\Tamsi.exe\" ignored \\ argument", "C:\\My Apps"},
        {"C:\\Tamsi\\Tamsi.exe C:\\x", "C:\\Tamsi\\Tamsi.exe C:"},  // a bare line is taken whole
        {"\"C:\\Tamsi\\Tamsi.exe", "C:\\Tamsi"},                    // an unclosed quote
        {"Tamsi.exe", "."}, {"\"\\Tamsi.exe\"", "."}, {"\"", "."},
        {fits + "\\Tamsi.exe", fits}, {fits + "c\\Tamsi.exe", "."},
    };
    for (const auto& c : cases) EXPECT_EQ(BaseDirectory(c.line.c_str()), c.folder) << c.line;
    EXPECT_EQ(BaseDirectory(nullptr), ".");
}

struct PlacementCase {
    SettingsRect saved;
    WindowPlacement expected;  // left, top, width, height
};

TEST(WindowPlacement, AnySavedFrameOpensWhollyInsideTheWorkArea) {
    const SettingsRect area = {0, 30, 1024, 798};
    const PlacementCase cases[] = {
        {{-200, 50, 600, 650}, {0, 50, 800, 600}},  // moved in by the least distance
        {{500, 50, 1300, 650}, {224, 50, 800, 600}},
        {{10, 700, 810, 1300}, {10, 198, 800, 600}},
        {{-50, -50, 3000, 3000}, {0, 30, 1024, 768}},  // shrunk to the work area
        {area, {0, 30, 1024, 768}},                    // the default fills it exactly
        {{0, 0, 0, 0}, {0, 30, 1024, 768}},            // empty or inverted: a damaged file
        {{500, 500, 100, 900}, {0, 30, 1024, 768}},
        {{10, 500, 810, 500}, {0, 30, 1024, 768}},  // flat
        // Damaged frames whose 32-bit edge differences would overflow.
        {{0, INT32_MIN, 1, 1}, {0, 30, 1, 768}},
        {{-2000000000, 0, 2000000000, 500}, {0, 30, 1024, 500}},
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 30, 1024, 768}},
        {{INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX}, {1014, 788, 10, 10}},
    };
    for (const PlacementCase& c : cases) {
        WindowPlacement p = PlaceInWorkArea(c.saved, area);
        EXPECT_EQ((std::vector<int>{p.left, p.top, p.width, p.height}),
                  (std::vector<int>{c.expected.left, c.expected.top, c.expected.width,
                                    c.expected.height}))
            << c.saved.left << " " << c.saved.top << " " << c.saved.right << " " << c.saved.bottom;
    }
}

}  // namespace
