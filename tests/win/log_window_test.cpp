// The rowing log's windows in this process, driven by posted clicks, keys, header
// notifications and commands; message boxes answered by a hook.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <commctrl.h>
#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "log/log_list_layout.h"
#include "log/log_list_pane.h"
#include "log/log_window.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

// Message boxes: the text and caption of each, answered with `answer`.
int answer = IDNO;
std::vector<std::string> boxes;
HHOOK boxHook;
std::vector<int> menuItems;  // items of the last popup menu, which is closed at once

BOOL CALLBACK LongestText(HWND child, LPARAM longest) {
    char text[1024] = "";
    GetWindowTextA(child, text, sizeof text);
    std::string* kept = (std::string*)longest;
    if (strlen(text) > kept->size()) *kept = text;
    return TRUE;
}

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = "";
    if (code == HCBT_ACTIVATE && GetClassNameA((HWND)wParam, name, sizeof name) &&
        strcmp(name, "#32770") == 0) {
        std::string text;
        EnumChildWindows((HWND)wParam, LongestText, (LPARAM)&text);
        char caption[64] = "";
        GetWindowTextA((HWND)wParam, caption, sizeof caption);
        boxes.push_back(std::string(caption) + ": " + text);
        PostMessageA((HWND)wParam, WM_COMMAND, answer, 0);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

HHOOK menuHook;
LRESULT CALLBACK CloseMenus(int code, WPARAM wParam, LPARAM lParam) {
    CWPSTRUCT* sent = (CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP) {
        HMENU menu = (HMENU)sent->wParam;
        for (int i = 0; i < GetMenuItemCount(menu); i++)
            menuItems.push_back(GetMenuItemID(menu, i));
    }
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE) EndMenu();
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

std::vector<std::pair<UINT, std::vector<HWND>>> tilings;
WORD WINAPI RecordTiling(HWND parent, UINT how, const RECT* area, UINT count, const HWND* kids) {
    if (parent == NULL && area == NULL)
        tilings.push_back({how, std::vector<HWND>(kids, kids + count)});
    return (WORD)count;
}

std::string DataPath(int startTime) {
    return ProgramFolder() + "\\data\\" + std::to_string(startTime) + ".csv";
}

// Other tests leave row files of their own behind.
void EmptyDataFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ProgramFolder() + "\\data\\*.csv").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileA((ProgramFolder() + "\\data\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

class LogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        _putenv("TAMSI_SIM_START_DELAY=1000000");
        RemoveSettingsFile();
        EmptyDataFolder();
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", ProgramFolder().c_str());
        LoadLanguage("ENGLISH");
        settings.logWindowRect = {10, 30, 610, 500};
        logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
        logList.anchorRow = -1;
        boxes.clear();
        menuItems.clear();
        tilings.clear();
        tileEntryWindows = RecordTiling;
        boxHook = SetWindowsHookExA(WH_CBT, AnswerBoxes, NULL, GetCurrentThreadId());
        menuHook = SetWindowsHookExA(WH_CALLWNDPROC, CloseMenus, NULL, GetCurrentThreadId());
    }
    void TearDown() override {
        if (listWindow) DestroyWindow(GetParent(listWindow));
        if (mainWindow && IsWindow(mainWindow)) CloseMainWindow();
        UnhookWindowsHookEx(boxHook);
        UnhookWindowsHookEx(menuHook);
        EmptyDataFolder();
        RemoveSettingsFile();
    }
    // count workouts, one row file each: start times 1001 on, distances falling.
    void OpenLog(int count) {
        CreateDirectoryA((ProgramFolder() + "\\data").c_str(), NULL);
        for (int i = 1; i <= count; i++) {
            FILE* file = fopen(DataPath(1000 + i).c_str(), "w");
            fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n");
            fprintf(file, "%i,%i.0,0.2,150,%i,24,0\n%i,%i.0,0.2,150,%i,24,0\n", i * 100, i * 40, i,
                    i * 3000, 5000 - i * 50, i + 5);
            fclose(file);
        }
        OpenRowingLog();
        PumpMessages(100);
    }
    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(listWindow, message, wParam, lParam);
        PumpMessages(30);
    }
    void Click(int row, WPARAM keys = 0, UINT message = WM_LBUTTONDOWN) {
        Post(message, keys, MAKELPARAM(30, 20 * (row + 1) + 5));
    }
    // A click on the real header, which tells the pane by its item-click notification.
    void HeaderClick(int item) {
        HWND header = GetDlgItem(listWindow, LOG_HEADER_ID);
        LPARAM point = MAKELPARAM(ColumnLeft(item) + logList.columnWidths[item] / 2, 5);
        PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(header, WM_LBUTTONUP, 0, point);
        PumpMessages(50);
    }
    int StartOfRow(int row) { return logEntries[logList.displayOrder[row]].startTime; }
    // Start times of the selected entries, in display order.
    std::vector<int> Selected() {
        std::vector<int> times;
        for (int row = 0; row < logEntryCount; row++)
            if (logList.selected[logList.displayOrder[row]]) times.push_back(StartOfRow(row));
        return times;
    }
};

TEST_F(LogWindow, SelectionAndCaretFollowTheirEntriesThroughASort) {
    OpenLog(12);
    Click(3);
    Click(5, MK_SHIFT);
    Click(8, MK_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<int>{1004, 1005, 1006, 1009}));
    HeaderClick(1);  // distances fall as dates rise: the order reverses
    EXPECT_EQ(Selected(), (std::vector<int>{1009, 1006, 1005, 1004}));
    EXPECT_EQ(StartOfRow(0), 1012);
    EXPECT_EQ(StartOfRow(logList.caretRow), 1009);
    Post(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Selected(), (std::vector<int>{1008}));
}

TEST_F(LogWindow, ARescanWhileOpenShowsEveryEntryOnceAndClearsTheSelection) {
    OpenLog(6);
    Click(2);
    DeleteFileA(DataPath(1001).c_str());
    ScanLogCatalog();  // as Update Online Log does: the slots are numbered anew
    PumpMessages(50);
    EXPECT_TRUE(Selected().empty());
    ASSERT_EQ(logEntryCount, 5);
    for (int row = 0; row < 5; row++) EXPECT_EQ(StartOfRow(row), 1002 + row);
}

TEST_F(LogWindow, ADividerDraggedLeftKeepsTenPixelsAndDoubleClickRestoresIt) {
    OpenLog(3);
    HWND header = GetDlgItem(listWindow, LOG_HEADER_ID);
    int divider = ColumnLeft(3) - 1;
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider, 5));
    PostMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ColumnLeft(2) + 2, 5));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(ColumnLeft(2) + 2, 5));
    PumpMessages(50);
    EXPECT_EQ(logList.columnWidths[2], 10);
    PostMessageA(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ColumnLeft(3) - 1, 5));
    PumpMessages(50);
    EXPECT_EQ(logList.columnWidths[2], logList.naturalWidths[2]);
}

TEST_F(LogWindow, RightClickOpensTheMenuOnlyOnARow) {
    OpenLog(4);
    Post(WM_RBUTTONDOWN, 0, MAKELPARAM(logList.horizontal.maximum + 2, 25));
    Click(6, 0, WM_RBUTTONDOWN);
    EXPECT_TRUE(menuItems.empty());
    Click(1, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(menuItems, (std::vector<int>{15002, 15004, 15001, 15003}));
    EXPECT_EQ(Selected(), (std::vector<int>{1002}));
}

TEST_F(LogWindow, DeleteAsksAboveOneAndKeepsTheRowOfAFileThatStays) {
    OpenLog(5);
    Click(0);
    Post(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(GetFileAttributesA(DataPath(1001).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(logEntryCount, 4);

    Click(0);
    Click(1, MK_SHIFT);
    Post(WM_COMMAND, 15003, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Confirm: Do you really want to delete these 2 results?");
    EXPECT_EQ(logEntryCount, 4);

    HANDLE held =
        CreateFileA(DataPath(1002).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    answer = IDYES;
    Post(WM_COMMAND, 15003, 0);
    CloseHandle(held);
    answer = IDNO;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].rfind("Error: ", 0), 0u);
    EXPECT_NE(boxes[2].find("1002.csv"), std::string::npos);
    EXPECT_EQ(boxes[2].find("1003.csv"), std::string::npos);
    EXPECT_EQ(logEntryCount, 3);
    EXPECT_EQ(StartOfRow(0), 1002);
}

TEST_F(LogWindow, ViewAsksAboveTenAndTilesUpToSixWindows) {
    OpenLog(11);
    Click(0);
    Click(10, MK_SHIFT);
    Post(WM_COMMAND, 15002, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Confirm: Do you really want to open 11 entries at once?");
    EXPECT_TRUE(tilings.empty());

    for (int count : {6, 7, 10}) {
        Click(0);
        Click(count - 1, MK_SHIFT);
        Post(WM_COMMAND, 15002, 0);
        PumpMessages(200);
    }
    EXPECT_EQ(boxes.size(), 1u);
    ASSERT_EQ(tilings.size(), 1u);
    EXPECT_EQ(tilings[0].first, (UINT)MDITILE_VERTICAL);
    ASSERT_EQ(tilings[0].second.size(), 6u);
    RECT placed, client;
    HWND newest = FindWindowA("EntryWndClass", NULL);  // of the ten, on top
    EXPECT_NE(newest, tilings[0].second[5]);
    GetWindowRect(newest, &placed);
    GetClientRect(listWindow, &client);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, std::min(610, (int)client.right));
}

TEST_F(LogWindow, ReopeningKeepsTheSortAndTheFrameAndTheCommandBringsItForward) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    OpenLog(3);
    HWND pane = listWindow;
    SendMessageA(mainWindow, WM_COMMAND, IDM_ROWING_LOG, 0);
    EXPECT_EQ(listWindow, pane);
    MoveWindow(GetParent(listWindow), 50, 60, 500, 400, TRUE);
    HeaderClick(2);
    Click(1);
    SendMessageA(GetParent(listWindow), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(listWindow, (HWND)NULL);
    OpenLog(3);
    EXPECT_EQ(logList.sortKey, 2);
    EXPECT_EQ(StartOfRow(logList.caretRow), 1002);  // the entry the anchor row showed
    EXPECT_TRUE(Selected().empty());
    RECT frame;
    GetWindowRect(GetParent(listWindow), &frame);
    EXPECT_EQ(frame.left, 50);
    EXPECT_EQ(frame.bottom, 460);
    MoveWindow(GetParent(listWindow), 70, 80, 400, 300, TRUE);
    CloseMainWindow();
    FILE* file = fopen((ProgramFolder() + "\\Tamsi.ini").c_str(), "rb");
    ASSERT_TRUE(file != NULL);
    Settings saved = {};
    fread(&saved, sizeof saved, 1, file);
    fclose(file);
    EXPECT_EQ(saved.logWindowRect.left, 70);
    EXPECT_EQ(saved.logWindowRect.bottom, 380);
}

}  // namespace
