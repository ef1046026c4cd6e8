// The main window in this process: start-up, the menu in both languages, graph toggles,
// and the settings saved on the way out.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/text_table.h"
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
    void Start() { ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL)); }
    HMENU Bar() { return GetMenu(mainWindow); }
    std::string Text(UINT item, UINT how, HMENU menu = NULL) {
        char text[128] = "";
        GetMenuStringA(menu ? menu : Bar(), item, text, sizeof text, how);
        return text;
    }
    bool Checked(UINT id, HMENU menu = NULL) {
        return (GetMenuState(menu ? menu : Bar(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    // The graph items' checks and the language submenu's radio mark, as one list.
    std::vector<bool> Checks() {
        HMENU languages = GetSubMenu(GetSubMenu(Bar(), 3), 4);
        return {Checked(IDM_GRAPH_POWER), Checked(IDM_GRAPH_HEART_RATE),
                Checked(IDM_GRAPH_STROKE_RATE), Checked(IDM_GRAPH_PACE),
                Checked(IDM_ENGLISH, languages), Checked(IDM_DANISH, languages)};
    }
    // Every relabelled item by command carries the text of its table entry.
    void ExpectLabelsFromTheTable() {
        const struct {
            UINT command;
            int text;
        } items[] = {{IDM_EXIT, 20},          {IDM_TIME_30, 24},         {IDM_TIME_60, 25},
                     {IDM_GRAPH_POWER, 30},   {IDM_GRAPH_HEART_RATE, 31}, {IDM_GRAPH_STROKE_RATE, 32},
                     {IDM_GRAPH_PACE, 33},    {IDM_ROWING_LOG, 35},       {IDM_UPDATE_ONLINE_LOG, 36},
                     {IDM_SET_CLOCK, 37},     {IDM_PREFERENCES, 39},      {IDM_HELP_TOPICS, 41},
                     {IDM_ABOUT, 42}};
        for (const auto& item : items)
            EXPECT_EQ(Text(item.command, MF_BYCOMMAND), textTable[item.text]) << item.command;
    }
};

void WriteSettingsFile(const Settings& record) {
    std::ofstream out(ProgramFolder() + "\\Tamsi.ini", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&record), sizeof record);
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

TEST_F(MainWindow, DanishRelabelsTheMenuKeepsChecksAndComesBackAfterARestart) {
    Start();
    EXPECT_EQ(Checks(), (std::vector<bool>{1, 1, 1, 1, 1, 0}));
    RECT frame, area;
    GetWindowRect(mainWindow, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_TRUE(EqualRect(&frame, &area));
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_PACE, 0);  // one graph off
    SendMessageA(mainWindow, WM_COMMAND, IDM_DANISH, 0);
    for (int run = 0; run < 2; run++) {
        EXPECT_EQ(Text(0, MF_BYPOSITION), "&Filer");
        EXPECT_EQ(Text(4, MF_BYPOSITION), "&Hj\xE6lp");
        EXPECT_EQ(Checks(), (std::vector<bool>{1, 1, 1, 0, 0, 1}));
        ExpectLabelsFromTheTable();
        CloseMainWindow();
        Start();
    }
    SendMessageA(mainWindow, WM_COMMAND, IDM_ENGLISH, 0);
    EXPECT_EQ(Text(0, MF_BYPOSITION), "&File");
    ExpectLabelsFromTheTable();
}

TEST_F(MainWindow, AGraphToggledTwiceIsAsBeforeAndClosingSavesIt) {
    Start();
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 900, -700, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> before(900 * 700), after(900 * 700);
    HBITMAP bitmap = (HBITMAP)GetCurrentObject(offscreenDc, OBJ_BITMAP);
    GetDIBits(offscreenDc, bitmap, 0, 700, before.data(), &info, DIB_RGB_COLORS);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_STROKE_RATE, 0);
    GetDIBits(offscreenDc, bitmap, 0, 700, after.data(), &info, DIB_RGB_COLORS);
    EXPECT_NE(after, before);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_STROKE_RATE, 0);
    GetDIBits(offscreenDc, bitmap, 0, 700, after.data(), &info, DIB_RGB_COLORS);
    EXPECT_EQ(after, before);
    MoveWindow(mainWindow, 40, 30, 700, 500, TRUE);
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_HEART_RATE, 0);
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    CloseMainWindow();
    size_t size = 0;
    Settings saved = SavedSettings(&size);
    ASSERT_EQ(size, sizeof(Settings));
    EXPECT_EQ((std::vector<int>{frame.left, frame.top, frame.right, frame.bottom}),
              (std::vector<int>{saved.mainWindowRect.left, saved.mainWindowRect.top,
                                saved.mainWindowRect.right, saved.mainWindowRect.bottom}));
    EXPECT_EQ((std::vector<int>{saved.showHeartRate, saved.showStrokeRate}),
              (std::vector<int>{0, 1}));
}

TEST_F(MainWindow, AZeroOrDamagedLanguageCommandBecomesEnglish) {
    for (int32_t stored : {0, IDM_EXIT}) {  // IDM_EXIT would close the program at every start
        Settings record = {};
        record.mainWindowRect = {10, 10, 810, 610};
        record.languageCommand = stored;
        WriteSettingsFile(record);
        Start();
        PumpMessages(100);
        EXPECT_TRUE(IsWindow(mainWindow));
        EXPECT_EQ(settings.languageCommand, IDM_ENGLISH);
        EXPECT_EQ(Text(2, MF_BYPOSITION), "&Graph");
        CloseMainWindow();
    }
}

// Windows ends the process after WM_ENDSESSION without a destroy: the settings are saved and
// the row file's stream closed then, and a destroy that still follows saves nothing again.
TEST_F(MainWindow, TheEndOfTheWindowsSessionSavesOnce) {
    Start();
    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_POWER, 0);
    rowFile = fopen((ProgramFolder() + "\\end-session.csv").c_str(), "w");
    ASSERT_TRUE(rowFile != NULL);
    SendMessageA(mainWindow, WM_ENDSESSION, FALSE, 0);  // the session goes on
    EXPECT_NE(rowFile, nullptr);
    SendMessageA(mainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(rowFile, nullptr);
    size_t size = 0;
    EXPECT_EQ(SavedSettings(&size).showPower, 0);
    RemoveSettingsFile();
    CloseMainWindow();
    SavedSettings(&size);
    EXPECT_EQ(size, 0u);
    DeleteFileA((ProgramFolder() + "\\end-session.csv").c_str());
}

}  // namespace
