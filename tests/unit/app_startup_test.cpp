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

TEST(BaseDirectory, QuotedAndBareProgramPathsGiveTheProgramFolder) {
    EXPECT_EQ(BaseDirectory("\"C:\\Apps\\Tamsi\\Tamsi.exe\""), "C:\\Apps\\Tamsi");
    EXPECT_EQ(BaseDirectory("C:\\Apps\\Tamsi\\Tamsi.exe"), "C:\\Apps\\Tamsi");
    EXPECT_EQ(BaseDirectory("\"C:\\My Apps\\Tamsi.exe\" ignored \\ argument"), "C:\\My Apps");
}

TEST(BaseDirectory, ABareLineIsCutAtItsLastBackslashEvenInArguments) {
    // Only a quoted path ends at its closing quote; an unquoted line is taken whole.
    EXPECT_EQ(BaseDirectory("C:\\Tamsi\\Tamsi.exe C:\\x"), "C:\\Tamsi\\Tamsi.exe C:");
}

TEST(BaseDirectory, NoFolderGivesTheCurrentFolder) {
    EXPECT_EQ(BaseDirectory("Tamsi.exe"), ".");
    EXPECT_EQ(BaseDirectory("\\Tamsi.exe"), ".");
    EXPECT_EQ(BaseDirectory("\"\\Tamsi.exe\""), ".");
    EXPECT_EQ(BaseDirectory(""), ".");
    EXPECT_EQ(BaseDirectory("\""), ".");
    EXPECT_EQ(BaseDirectory(nullptr), ".");
}

TEST(BaseDirectory, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(BaseDirectory("\"C:\\Tamsi\\Tamsi.exe"), "C:\\Tamsi");
}

TEST(BaseDirectory, AFolderTooLongForTheBufferFallsBackToTheCurrentFolder) {
    std::string folder = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(BaseDirectory(("\"" + folder + "\\Tamsi.exe\"").c_str()), ".");
    // The longest folder that fits, with its terminator, is kept whole.
    std::string fits = "C:\\" + std::string(256, 'b');
    EXPECT_EQ(BaseDirectory((fits + "\\Tamsi.exe").c_str()), fits);
    std::string oneTooMany = fits + "c";
    EXPECT_EQ(BaseDirectory((oneTooMany + "\\Tamsi.exe").c_str()), ".");
    EXPECT_EQ(BaseDirectory("C:\\Tamsi\\Tamsi.exe", 5), ".");
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
