// The main window in this process beside the simulated monitor: every menu command by its id,
// the dialogs and boxes it opens, the picture it leaves, and what closing saves.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/startup.h"
#include "log/log_window.h"
#include "monitor/poll_timer.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "settings/text_table.h"
#include "win_test_support.h"

namespace {

using Texts = std::vector<std::string>;

// Whether the off-screen picture is what a full redraw of the live record makes of it now.
bool DrawnInFull() {
    const std::vector<DWORD> before = Picture(offscreenDc);
    RedrawLiveDisplay(1);
    return Picture(offscreenDc) == before;
}

// The menu depth first: the items that open a submenu or carry a label of the text table, in
// menu order, and the checked items.
std::pair<Texts, Texts> Menu(HMENU menu = GetMenu(mainWindow), std::pair<Texts, Texts> found = {}) {
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        bool label = GetSubMenu(menu, i) != NULL;
        for (int k = 19; k <= 42; k++) label |= text == std::string(textTable[k]);
        if (label) found.first.push_back(text);
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) found.second.push_back(text);
        if (GetSubMenu(menu, i)) found = Menu(GetSubMenu(menu, i), found);
    }
    return found;
}

Settings Saved() {
    Settings saved = {};
    EXPECT_TRUE(ReadSettingsFile((ProgramFolder() + "\\Tamsi.ini").c_str(), &saved));
    return saved;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        _putenv("TAMSI_SIM_START_DELAY=1000000");  // the simulated rower rests
        RemoveSettingsFile();
        RemoveRowFiles();
        WatchDialogs();
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) CloseMainWindow();
        StopWatchingDialogs();
        RemoveSettingsFile();
    }
    void Start() { ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL)); }
    void Command(int id) { SendMessageA(mainWindow, WM_COMMAND, id, 0); }
    Texts Slots() { return Texts(textTable + 19, textTable + 43); }
};

TEST_F(MainWindow, EveryCommandDoesItsWorkRedrawsInFullAndShowsItsDialog) {
    Start();  // without a settings file: every graph, in English
    EXPECT_TRUE(DrawnInFull());
    EXPECT_EQ(Menu(), std::make_pair(Slots(), Texts{"&Power", "&Heart Rate", "&Strokes Per Minute",
                                                    "P&ace", "&English"}));
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(settings.logWindowRect.bottom, area.bottom);
    for (int id :
         {IDM_GRAPH_PACE, IDM_GRAPH_HEART_RATE, IDM_GRAPH_STROKE_RATE, IDM_GRAPH_STROKE_RATE}) {
        const std::vector<DWORD> before = Picture(offscreenDc);
        Command(id);
        EXPECT_TRUE(DrawnInFull()) << id;
        EXPECT_EQ(Picture(offscreenDc) == before, id == IDM_GRAPH_HEART_RATE) << id;  // no belt
    }
    EXPECT_EQ((std::vector<int>{settings.showPower, settings.showHeartRate, settings.showStrokeRate,
                                settings.showPace}), (std::vector<int>{1, 0, 1, 0}));
    EXPECT_EQ(Menu().second, (Texts{"&Power", "&Strokes Per Minute", "&English"}));
    Command(IDM_DANISH);  // relabels the idle panel at once
    EXPECT_TRUE(DrawnInFull());
    EXPECT_EQ(Menu(), std::make_pair(Slots(), Texts{"&Kraft", "&Tag pr. minut", "&Danish"}));

    // The window shows its picture where it is invalidated, and a new size in full.
    UpdateWindow(mainWindow);
    HDC window = GetDC(mainWindow);
    PatBlt(window, 0, 0, 700, 500, BLACKNESS);
    RECT part = {40, 120, 700, 500};
    InvalidateRect(mainWindow, &part, FALSE);
    UpdateWindow(mainWindow);
    ExcludeClipRect(offscreenDc, part.left, part.top, part.right, part.bottom);
    PatBlt(offscreenDc, 0, 0, 700, 500, BLACKNESS);  // the same black outside the part
    SelectClipRgn(offscreenDc, NULL);
    EXPECT_TRUE(Picture(window) == Picture(offscreenDc));
    ReleaseDC(mainWindow, window);
    MoveWindow(mainWindow, 0, 0, 640, 420, TRUE);
    EXPECT_TRUE(DrawnInFull());

    // A poll that changes only the numbers shows them too.
    ValidateRect(mainWindow, NULL);
    lastPolledTime = -99;
    PollMonitor(mainWindow, WM_TIMER, POLL_TIMER_ID, 0);
    EXPECT_TRUE(GetUpdateRect(mainWindow, NULL, FALSE));

    // A workout command waits for the monitor's reset; '?' without Alt is no accelerator.
    const DWORD start = GetTickCount();
    Command(IDM_DISTANCE_2000);
    EXPECT_GE(GetTickCount() - start, 1000u);
    MSG typed = {mainWindow, WM_CHAR, '?', 0, 0, {}};
    EXPECT_FALSE(TranslateAcceleratorA(mainWindow, acceleratorTable, &typed));
    HoldKeys({VK_MENU});
    EXPECT_TRUE(TranslateAcceleratorA(mainWindow, acceleratorTable, &typed));  // About
    HoldKeys({});
    for (int id :
         {IDM_PREFERENCES, IDM_UPDATE_ONLINE_LOG, IDM_HELP_TOPICS, IDM_SET_CLOCK, IDM_ABOUT})
        Command(id);
    EXPECT_EQ(dialogsShown, (Texts{"About: ", "Tamsi Preferences: Weight Class:",
                            "Notice: No new entries found to be uploaded.",
                            "Error: Couldn't open the help file " + ProgramFolder() + "\\Tamsi.chm",
                            "About: "}));
    Command(IDM_ROWING_LOG);
    ASSERT_TRUE(listWindow != NULL);
    EXPECT_EQ(GetWindow(GetParent(listWindow), GW_OWNER), mainWindow);

    // Closed while minimised, it saves its frame as it was and the language, and tells nothing.
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    ShowWindow(mainWindow, SW_MINIMIZE);
    Command(IDM_EXIT);
    PumpMessages(50);
    EXPECT_FALSE(IsWindow(mainWindow));
    const Settings saved = Saved();
    EXPECT_EQ(memcmp(&saved.mainWindowRect, &frame, sizeof frame), 0);
    EXPECT_EQ(saved.languageCommand, IDM_DANISH);
    EXPECT_EQ(dialogsShown.size(), 5u);
}

// A settings file that names no language starts in English. The end of a Windows session saves
// the settings, and tells when that fails; the window closing afterwards saves nothing more.
TEST_F(MainWindow, TheEndOfASessionSavesOnceAndTellsAFailedSave) {
    fclose(fopen((ProgramFolder() + "\\Tamsi.ini").c_str(), "wb"));
    Start();
    EXPECT_EQ(textTable[19], std::string("&File"));
    Settings odd = settings;  // bytes that a file in text mode would change: CR LF, Ctrl+Z
    odd.logWindowRect = {0x0A0D, 0x1A, 10, 20};
    ASSERT_TRUE(WriteSettingsFile((ProgramFolder() + "\\Tamsi.ini").c_str(), odd));
    const Settings read = Saved();
    EXPECT_EQ(memcmp(&read, &odd, sizeof odd), 0);
    const std::string folder = ProgramFolder() + "\\no such folder";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", folder.c_str());
    SendMessageA(mainWindow, WM_ENDSESSION, FALSE, 0);  // the session goes on
    EXPECT_TRUE(dialogsShown.empty());
    SendMessageA(mainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(dialogsShown, Texts{std::string(textTable[18]) + ": " + folder + "\\Tamsi.ini"});
    CloseMainWindow();
    EXPECT_EQ(dialogsShown.size(), 1u);
}

}  // namespace
