// The base directory from the command line and the main window's placement rule.
#include <gtest/gtest.h>

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

SettingsRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}

TEST(WindowPlacement, ASavedFrameOutsideTheWorkAreaMovesInByTheLeastDistance) {
    SettingsRect workArea = Rect(0, 0, 1024, 768);
    WindowPlacement left = PlaceInWorkArea(Rect(-200, 50, 600, 650), workArea);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.top, 50);
    EXPECT_EQ(left.width, 800);
    EXPECT_EQ(left.height, 600);
    WindowPlacement right = PlaceInWorkArea(Rect(500, 50, 1300, 650), workArea);
    EXPECT_EQ(right.left, 224);
    EXPECT_EQ(right.top, 50);
    WindowPlacement below = PlaceInWorkArea(Rect(10, 700, 810, 1300), workArea);
    EXPECT_EQ(below.top, 168);
}

TEST(WindowPlacement, ALargerFrameShrinksToTheWorkArea) {
    SettingsRect workArea = Rect(0, 30, 1280, 1000);
    WindowPlacement placement = PlaceInWorkArea(Rect(-50, -50, 3000, 3000), workArea);
    EXPECT_EQ(placement.left, 0);
    EXPECT_EQ(placement.top, 30);
    EXPECT_EQ(placement.width, 1280);
    EXPECT_EQ(placement.height, 970);
}

TEST(WindowPlacement, TheDefaultFrameFillsTheWorkAreaExactly) {
    SettingsRect workArea = Rect(0, 0, 1280, 994);
    WindowPlacement placement = PlaceInWorkArea(workArea, workArea);
    EXPECT_EQ(placement.left, 0);
    EXPECT_EQ(placement.top, 0);
    EXPECT_EQ(placement.width, 1280);
    EXPECT_EQ(placement.height, 994);
}

TEST(WindowPlacement, AnEmptyFrameFromADamagedFileFillsTheWorkArea) {
    SettingsRect workArea = Rect(0, 0, 1280, 994);
    WindowPlacement zero = PlaceInWorkArea(Rect(0, 0, 0, 0), workArea);
    EXPECT_EQ(zero.width, 1280);
    EXPECT_EQ(zero.height, 994);
    WindowPlacement inverted = PlaceInWorkArea(Rect(500, 500, 100, 900), workArea);
    EXPECT_EQ(inverted.width, 1280);
}

}  // namespace
