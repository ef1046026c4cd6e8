// The main window in this process: start-up, the menu in both languages, graph toggles,
// and the settings saved on the way out.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // The simulated monitor beside the test program: keep its rower resting.
        _putenv("TAMSI_SIM_START_DELAY=1000000");
        RemoveSettingsFile();
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) CloseMainWindow();
        RemoveSettingsFile();
    }
    HMENU Bar() { return GetMenu(mainWindow); }
    HMENU Languages() { return GetSubMenu(GetSubMenu(Bar(), 3), 4); }
};

std::vector<unsigned char> OffscreenPixels(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<unsigned char> pixels(width * height * 4);
    HBITMAP bitmap = (HBITMAP)GetCurrentObject(offscreenDc, OBJ_BITMAP);
    GetDIBits(offscreenDc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

void WriteSettingsFile(const Settings& record) {
    std::ofstream out(ProgramFolder() + "\\Tamsi.ini", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&record), sizeof record);
}

TEST_F(MainWindow, StartsInEnglishWithEveryGraphCheckedAndInsideTheWorkArea) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    EXPECT_EQ(MenuText(Bar(), 0), "&File");
    EXPECT_EQ(MenuText(Bar(), 4), "&Help");
    EXPECT_EQ(settings.languageCommand, IDM_ENGLISH);
    EXPECT_TRUE(IsRadioChecked(Languages(), IDM_ENGLISH));
    EXPECT_FALSE(IsChecked(Languages(), IDM_DANISH));
    for (int id : {IDM_GRAPH_POWER, IDM_GRAPH_HEART_RATE, IDM_GRAPH_STROKE_RATE, IDM_GRAPH_PACE}) {
        EXPECT_TRUE(IsChecked(Bar(), id)) << id;
    }
    RECT frame, area;
    GetWindowRect(mainWindow, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(frame.left, area.left);
    EXPECT_EQ(frame.top, area.top);
    EXPECT_EQ(frame.right, area.right);
    EXPECT_EQ(frame.bottom, area.bottom);
    char title[64];
    GetWindowTextA(mainWindow, title, sizeof title);
    EXPECT_STREQ(title, "Tamsi");
}

TEST_F(MainWindow, DanishRelabelsTheMenuKeepsChecksAndComesBackAfterARestart) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_PACE, 0);  // one graph off
    SendMessageA(mainWindow, WM_COMMAND, IDM_DANISH, 0);

    auto expectDanish = [&] {
        EXPECT_EQ(MenuText(Bar(), 0), "&Filer");
        EXPECT_TRUE(IsRadioChecked(Languages(), IDM_DANISH));
        EXPECT_FALSE(IsChecked(Languages(), IDM_ENGLISH));
        EXPECT_TRUE(IsChecked(Bar(), IDM_GRAPH_POWER));
        EXPECT_TRUE(IsChecked(Bar(), IDM_GRAPH_HEART_RATE));
        EXPECT_TRUE(IsChecked(Bar(), IDM_GRAPH_STROKE_RATE));
        EXPECT_FALSE(IsChecked(Bar(), IDM_GRAPH_PACE));
    };
    expectDanish();
    EXPECT_EQ(settings.languageCommand, IDM_DANISH);

    CloseMainWindow();
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    expectDanish();
}

TEST_F(MainWindow, AGraphToggledTwiceIsAsBefore) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    const int width = 900, height = 700;
    std::vector<unsigned char> before = OffscreenPixels(width, height);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_STROKE_RATE, 0);
    EXPECT_EQ(settings.showStrokeRate, 0);
    EXPECT_FALSE(IsChecked(Bar(), IDM_GRAPH_STROKE_RATE));
    EXPECT_NE(OffscreenPixels(width, height), before);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_STROKE_RATE, 0);
    EXPECT_EQ(settings.showStrokeRate, 1);
    EXPECT_TRUE(IsChecked(Bar(), IDM_GRAPH_STROKE_RATE));
    EXPECT_EQ(OffscreenPixels(width, height), before);
}

TEST_F(MainWindow, ADamagedLanguageCommandStartsInEnglishAndRunsNothingElse) {
    Settings record = {};
    record.mainWindowRect = {10, 10, 810, 610};
    record.showPower = 1;
    record.powerMax = 250;
    record.languageCommand = IDM_EXIT;  // would close the program at every start
    WriteSettingsFile(record);
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    PumpMessages(100);
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_EQ(settings.languageCommand, IDM_ENGLISH);
    EXPECT_EQ(MenuText(Bar(), 0), "&File");
    EXPECT_TRUE(IsRadioChecked(Languages(), IDM_ENGLISH));
}

TEST_F(MainWindow, AZeroLanguageCommandBecomesEnglish) {
    Settings record = {};
    record.mainWindowRect = {0, 0, 640, 480};
    WriteSettingsFile(record);
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    EXPECT_EQ(settings.languageCommand, IDM_ENGLISH);
    EXPECT_EQ(MenuText(Bar(), 2), "&Graph");
}

TEST_F(MainWindow, ACommandWithoutARowIsLeftToDefaultProcessing) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    EXPECT_FALSE(RunMenuCommand(mainWindow, 32781));  // between the workout ids, unused
    EXPECT_FALSE(RunMenuCommand(mainWindow, 32811));
    EXPECT_TRUE(IsWindow(mainWindow));
}

TEST_F(MainWindow, TheOffscreenBitmapCoversAtLeastTheDesktop) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    BITMAP bitmap = {};
    GetObjectA(GetCurrentObject(offscreenDc, OBJ_BITMAP), sizeof bitmap, &bitmap);
    EXPECT_GE(bitmap.bmWidth, 1920);
    EXPECT_GE(bitmap.bmHeight, 1200);
    EXPECT_GE(bitmap.bmWidth, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_GE(bitmap.bmHeight, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// The settings file as saved, or an empty record with the size 0 when there is none.
Settings SavedSettings(size_t* size) {
    std::ifstream in(ProgramFolder() + "\\Tamsi.ini", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    *size = bytes.size();
    Settings saved = {};
    if (bytes.size() == sizeof saved) memcpy(&saved, bytes.data(), sizeof saved);
    return saved;
}

TEST_F(MainWindow, ClosingSavesTheFrameAndTheSettings) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    MoveWindow(mainWindow, 40, 30, 700, 500, TRUE);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_HEART_RATE, 0);
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    CloseMainWindow();
    size_t size = 0;
    Settings saved = SavedSettings(&size);
    ASSERT_EQ(size, sizeof(Settings));
    EXPECT_EQ(saved.mainWindowRect.left, frame.left);
    EXPECT_EQ(saved.mainWindowRect.top, frame.top);
    EXPECT_EQ(saved.mainWindowRect.right, frame.right);
    EXPECT_EQ(saved.mainWindowRect.bottom, frame.bottom);
    EXPECT_EQ(saved.showHeartRate, 0);
    EXPECT_EQ(saved.languageCommand, IDM_ENGLISH);
}

// Windows ends the process after WM_ENDSESSION without a destroy: the settings are saved and
// the row file's stream closed then, and a destroy that still follows saves nothing again.
TEST_F(MainWindow, TheEndOfTheWindowsSessionSavesOnce) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_POWER, 0);
    rowFile = fopen((ProgramFolder() + "\\end-session.csv").c_str(), "w");
    ASSERT_TRUE(rowFile != NULL);
    SendMessageA(mainWindow, WM_ENDSESSION, FALSE, 0);  // the session goes on
    EXPECT_NE(rowFile, nullptr);
    SendMessageA(mainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(rowFile, nullptr);
    size_t size = 0;
    EXPECT_EQ(SavedSettings(&size).showPower, 0);
    EXPECT_EQ(size, sizeof(Settings));
    RemoveSettingsFile();
    CloseMainWindow();
    SavedSettings(&size);
    EXPECT_EQ(size, 0u);
    DeleteFileA((ProgramFolder() + "\\end-session.csv").c_str());
}

}  // namespace
