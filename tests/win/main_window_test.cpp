// The main window in this process: start-up, the menu in both languages and the graph toggles.
#include <gtest/gtest.h>

#include "app/startup.h"
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
    std::string Text(UINT item, UINT how) {
        char text[128] = "";
        GetMenuStringA(GetMenu(mainWindow), item, text, sizeof text, how);
        return text;
    }
    // The graph items' checks and the language submenu's radio mark, as one list.
    std::vector<bool> Checks() {
        std::vector<bool> checks;
        HMENU languages = GetSubMenu(GetSubMenu(GetMenu(mainWindow), 3), 4);
        for (UINT id : {IDM_GRAPH_POWER, IDM_GRAPH_HEART_RATE, IDM_GRAPH_STROKE_RATE,
                        IDM_GRAPH_PACE, IDM_ENGLISH, IDM_DANISH}) {
            HMENU menu = id == IDM_ENGLISH || id == IDM_DANISH ? languages : GetMenu(mainWindow);
            checks.push_back(GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED);
        }
        return checks;
    }
};

TEST_F(MainWindow, AGraphToggleRedrawsTheGraphDanishRelabelsTheMenuAndNoLanguageMeansEnglish) {
    Start();  // without a settings file: every graph, in English
    EXPECT_EQ(Checks(), (std::vector<bool>{1, 1, 1, 1, 1, 0}));
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 900, -700, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HBITMAP bitmap = (HBITMAP)GetCurrentObject(offscreenDc, OBJ_BITMAP);
    std::vector<std::vector<DWORD>> shown(3, std::vector<DWORD>(900 * 700));
    for (auto& picture : shown) {  // toggled twice: as before
        GetDIBits(offscreenDc, bitmap, 0, 700, picture.data(), &info, DIB_RGB_COLORS);
        SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_STROKE_RATE, 0);
    }
    EXPECT_NE(shown[1], shown[0]);
    EXPECT_EQ(shown[2], shown[0]);

    SendMessageA(mainWindow, WM_COMMAND, IDM_GRAPH_PACE, 0);  // one graph off
    SendMessageA(mainWindow, WM_COMMAND, IDM_DANISH, 0);
    EXPECT_EQ(Text(0, MF_BYPOSITION), "&Filer");
    EXPECT_EQ(Text(4, MF_BYPOSITION), "&Hj\xE6lp");
    EXPECT_EQ(Checks(), (std::vector<bool>{1, 1, 0, 0, 0, 1}));  // stroke rate left off
    const int items[][2] = {
        {IDM_EXIT, 20},        {IDM_TIME_30, 24},     {IDM_TIME_60, 25},
        {IDM_GRAPH_POWER, 30}, {IDM_GRAPH_PACE, 33},  {IDM_ROWING_LOG, 35},
        {IDM_SET_CLOCK, 37},   {IDM_PREFERENCES, 39}, {IDM_ABOUT, 42}};
    for (const auto& item : items)
        EXPECT_EQ(Text(item[0], MF_BYCOMMAND), textTable[item[1]]) << item[0];
    CloseMainWindow();  // and a start from an empty settings file, which names no language
    fclose(fopen((ProgramFolder() + "\\Tamsi.ini").c_str(), "wb"));
    Start();
    EXPECT_EQ(Text(0, MF_BYPOSITION), "&File");
}

}  // namespace
