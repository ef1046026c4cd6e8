// Loading a language: the text table from the TEXT resources, the main menu relabelled with
// it, submenus kept, and the graph items' check marks following the settings.
#include <gtest/gtest.h>

#include <windows.h>
#include <string.h>

#include <string>

#include "app/main_window.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/text_table.h"

namespace {

const char* const TEST_CLASS = "TamsiLanguageTestWindow";

std::string ItemText(HMENU menu, UINT item, UINT how) {
    char text[128] = {0};
    GetMenuStringA(menu, item, text, sizeof(text), how);
    return text;
}

bool Checked(HMENU menu, UINT command) {
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != (UINT)-1 && (state & MF_CHECKED);
}

class LanguageMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSettings = settings;
        memcpy(savedTextTable, textTable, sizeof(textTable));
        savedMainWindow = mainWindow;

        WNDCLASSA windowClass;
        ZeroMemory(&windowClass, sizeof(windowClass));
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = TEST_CLASS;
        RegisterClassA(&windowClass);  // already registered by an earlier test is fine

        HMENU menu = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_TAMSI));
        ASSERT_NE(menu, nullptr);
        window = CreateWindowA(TEST_CLASS, "Language test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                               NULL, menu, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(window, nullptr);
        mainWindow = window;
        bar = GetMenu(window);
        ASSERT_EQ(bar, menu);
    }

    void TearDown() override {
        mainWindow = savedMainWindow;
        if (window) DestroyWindow(window);
        settings = savedSettings;
        memcpy(textTable, savedTextTable, sizeof(textTable));
    }

    void SetGraphFlags(unsigned char heart, unsigned char stroke, unsigned char power,
                       unsigned char pace) {
        settings.showHeartRate = heart;
        settings.showStrokeRate = stroke;
        settings.showPower = power;
        settings.showPace = pace;
    }

    // Every one of the 24 relabelled items carries the text of its table entry.
    void ExpectAllLabelsFromTheTable() {
        HMENU workout = GetSubMenu(bar, 1);
        HMENU tools = GetSubMenu(bar, 3);
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(ItemText(bar, i, MF_BYPOSITION), textTable[i == 0   ? 19
                                                                 : i == 1 ? 21
                                                                 : i == 2 ? 29
                                                                 : i == 3 ? 34
                                                                          : 40])
                << "bar item " << i;
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(ItemText(workout, i, MF_BYPOSITION), textTable[i == 0   ? 22
                                                                     : i == 1 ? 23
                                                                              : 26 + (i - 2)])
                << "workout item " << i;
        EXPECT_EQ(ItemText(tools, 4, MF_BYPOSITION), textTable[38]);
        const struct {
            UINT command;
            int text;
        } byCommand[] = {
            {IDM_EXIT, 20},        {IDM_TIME_30, 24},          {IDM_TIME_60, 25},
            {IDM_GRAPH_POWER, 30}, {IDM_GRAPH_HEART_RATE, 31}, {IDM_GRAPH_STROKE_RATE, 32},
            {IDM_GRAPH_PACE, 33},  {IDM_ROWING_LOG, 35},       {IDM_UPDATE_ONLINE_LOG, 36},
            {IDM_SET_CLOCK, 37},   {IDM_PREFERENCES, 39},      {IDM_HELP_TOPICS, 41},
            {IDM_ABOUT, 42}};
        for (const auto& item : byCommand)
            EXPECT_EQ(ItemText(bar, item.command, MF_BYCOMMAND), textTable[item.text])
                << "command " << item.command;
    }

    Settings savedSettings;
    char savedTextTable[TEXT_SLOTS][TEXT_SLOT_SIZE];
    HWND savedMainWindow = NULL;
    HWND window = NULL;
    HMENU bar = NULL;
};

TEST_F(LanguageMenuTest, DanishRelabelsTheBarAndKeepsTheSubmenus) {
    HMENU workoutSubmenus[5];
    for (int i = 0; i < 5; i++) workoutSubmenus[i] = GetSubMenu(GetSubMenu(bar, 1), i);
    HMENU languages = GetSubMenu(GetSubMenu(bar, 3), 4);
    ASSERT_NE(languages, nullptr);

    LoadLanguage("DANISH");

    EXPECT_EQ(ItemText(bar, 0, MF_BYPOSITION), "&Filer");
    EXPECT_EQ(ItemText(bar, 4, MF_BYPOSITION), "&Hj\xE6lp");
    HMENU tools = GetSubMenu(bar, 3);
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(GetSubMenu(tools, 4), languages);
    EXPECT_EQ(GetMenuItemID(languages, 0), (UINT)IDM_ENGLISH);
    EXPECT_EQ(GetMenuItemID(languages, 1), (UINT)IDM_DANISH);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(GetSubMenu(GetSubMenu(bar, 1), i), workoutSubmenus[i]) << "workout submenu " << i;
    EXPECT_EQ(GetMenuItemCount(bar), 5);
    ExpectAllLabelsFromTheTable();
}

TEST_F(LanguageMenuTest, GraphItemsAreCheckedExactlyWhenTheirFlagIsSet) {
    SetGraphFlags(1, 0, 0, 1);
    // Checked before the load although its flag is off: the relabel drops that mark.
    CheckMenuItem(bar, IDM_GRAPH_POWER, MF_BYCOMMAND | MF_CHECKED);

    LoadLanguage("DANISH");
    EXPECT_TRUE(Checked(bar, IDM_GRAPH_HEART_RATE));
    EXPECT_FALSE(Checked(bar, IDM_GRAPH_STROKE_RATE));
    EXPECT_FALSE(Checked(bar, IDM_GRAPH_POWER));
    EXPECT_TRUE(Checked(bar, IDM_GRAPH_PACE));

    SetGraphFlags(0, 1, 1, 0);
    LoadLanguage("ENGLISH");
    EXPECT_FALSE(Checked(bar, IDM_GRAPH_HEART_RATE));
    EXPECT_TRUE(Checked(bar, IDM_GRAPH_STROKE_RATE));
    EXPECT_TRUE(Checked(bar, IDM_GRAPH_POWER));
    EXPECT_FALSE(Checked(bar, IDM_GRAPH_PACE));
}

TEST_F(LanguageMenuTest, EnglishAfterDanishRestoresTheEnglishLabels) {
    LoadLanguage("DANISH");
    LoadLanguage("ENGLISH");

    EXPECT_EQ(ItemText(bar, 0, MF_BYPOSITION), "&File");
    EXPECT_NE(GetSubMenu(GetSubMenu(bar, 3), 4), nullptr);
    ExpectAllLabelsFromTheTable();
}

TEST_F(LanguageMenuTest, UnknownTableChangesNothing) {
    LoadLanguage("ENGLISH");
    LoadLanguage("KLINGON");
    EXPECT_STREQ(textTable[0], "Error");
    EXPECT_EQ(ItemText(bar, 0, MF_BYPOSITION), "&File");
}

}  // namespace
