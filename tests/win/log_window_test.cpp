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

// Message boxes as "caption: text", answered with `answer`; the items of popup menus, which
// are closed at once; the tilings asked for.
int answer = IDNO;
std::vector<std::string> boxes;
std::vector<int> menuItems;
std::vector<std::pair<UINT, std::vector<HWND>>> tilings;
HHOOK boxHook, menuHook;

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = "", caption[64] = "", text[1024] = "";
    if (code == HCBT_ACTIVATE && GetClassNameA((HWND)wParam, name, sizeof name) &&
        strcmp(name, "#32770") == 0) {
        GetWindowTextA((HWND)wParam, caption, sizeof caption);
        GetDlgItemTextA((HWND)wParam, 0xFFFF, text, sizeof text);  // the box's text
        boxes.push_back(std::string(caption) + ": " + text);
        PostMessageA((HWND)wParam, WM_COMMAND, answer, 0);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

LRESULT CALLBACK CloseMenus(int code, WPARAM wParam, LPARAM lParam) {
    CWPSTRUCT* sent = (CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP) {
        for (int i = 0; i < GetMenuItemCount((HMENU)sent->wParam); i++)
            menuItems.push_back(GetMenuItemID((HMENU)sent->wParam, i));
    }
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE) EndMenu();
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

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
        settings.logWindowRect = {10, 30, 710, 500};
        logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
        logList.anchorRow = -1;
        tileEntryWindows = RecordTiling;
        boxes.clear(), menuItems.clear(), tilings.clear();
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
            fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n%i,%i.0,0.2,150,%i,24,0\n",
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
    // The header's item-click notification for one column.
    NMHEADERA HeaderItemClick(int item) {
        return {
            {GetDlgItem(listWindow, LOG_HEADER_ID), LOG_HEADER_ID, HDN_ITEMCLICKA}, item, 0, NULL};
    }
    // Whether a message sent to the pane left anything to repaint.
    bool Repaints(UINT message, WPARAM wParam, LPARAM lParam) {
        ValidateRect(listWindow, NULL);
        SendMessageA(listWindow, message, wParam, lParam);
        return GetUpdateRect(listWindow, NULL, FALSE) != FALSE;
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

TEST_F(LogWindow, ClicksKeysHeaderMenuAndRescanReachTheRows) {
    OpenLog(12);
    Click(3);
    Click(5, MK_SHIFT);
    EXPECT_TRUE(Repaints(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(30, 185)));  // row 8
    EXPECT_EQ(Selected(), (std::vector<int>{1004, 1005, 1006, 1009}));
    // A click on the real header, which tells the pane by its item-click notification.
    HWND header = GetDlgItem(listWindow, LOG_HEADER_ID);
    LPARAM point = MAKELPARAM(ColumnLeft(1) + logList.columnWidths[1] / 2, 5);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(header, WM_LBUTTONUP, 0, point);
    PumpMessages(50);
    EXPECT_EQ(Selected(), (std::vector<int>{1009, 1006, 1005, 1004}));  // distances fall
    EXPECT_EQ(StartOfRow(logList.caretRow), 1009);
    NMHEADERA click = HeaderItemClick(2);
    EXPECT_TRUE(Repaints(WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click));
    Post(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Selected(), (std::vector<int>{1010}));

    Post(WM_RBUTTONDOWN, 0, MAKELPARAM(logList.horizontal.maximum + 2, 25));
    Click(13, 0, WM_RBUTTONDOWN);
    EXPECT_TRUE(menuItems.empty());
    Click(1, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(menuItems,
              (std::vector<int>{IDM_LOG_VIEW, IDM_LOG_SEND, IDM_LOG_PRINT, IDM_LOG_DELETE}));
    Click(1, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(tilings.size(), 1u);

    DeleteFileA(DataPath(1001).c_str());
    ScanLogCatalog();  // as Update Online Log does: the slots are numbered anew
    PumpMessages(50);
    EXPECT_TRUE(Selected().empty());
    ASSERT_EQ(logEntryCount, 11);
}

TEST_F(LogWindow, ViewAndDeleteAskAboveTheirLimitsTileSixAndKeepAFileThatStays) {
    OpenLog(11);
    for (int count : {11, 6, 7, 10}) {
        Click(0);
        Click(count - 1, MK_SHIFT);
        Post(WM_COMMAND, IDM_LOG_VIEW, 0);
        PumpMessages(200);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Confirm: Do you really want to open 11 entries at once?");
    ASSERT_EQ(tilings.size(), 1u);
    EXPECT_EQ(tilings[0].first, (UINT)MDITILE_VERTICAL);
    ASSERT_EQ(tilings[0].second.size(), 6u);
    RECT placed;
    HWND newest = FindWindowA("EntryWndClass", NULL);  // of the ten, on top
    EXPECT_NE(newest, tilings[0].second[5]);
    GetWindowRect(newest, &placed);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 610);  // the log is wider

    Click(0);
    Post(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(boxes.size(), 1u);  // one entry: no question
    EXPECT_EQ(GetFileAttributesA(DataPath(1001).c_str()), INVALID_FILE_ATTRIBUTES);
    Click(0);
    Click(1, MK_SHIFT);
    Post(WM_COMMAND, IDM_LOG_DELETE, 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "Confirm: Do you really want to delete these 2 results?");
    EXPECT_EQ(logEntryCount, 10);
    HANDLE held =
        CreateFileA(DataPath(1002).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    answer = IDYES;
    Post(WM_COMMAND, IDM_LOG_DELETE, 0);
    CloseHandle(held);
    answer = IDNO;
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].rfind("Error: ", 0), 0u);
    EXPECT_NE(boxes[3].find("1002.csv"), std::string::npos);
    EXPECT_EQ(boxes[3].find("1003.csv"), std::string::npos);
    EXPECT_EQ(logEntryCount, 9);
    EXPECT_EQ(StartOfRow(0), 1002);
}

TEST_F(LogWindow, ReopeningKeepsTheSortAndTheFrameAndTheCommandBringsItForward) {
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    OpenLog(3);
    HWND pane = listWindow;
    SendMessageA(mainWindow, WM_COMMAND, IDM_ROWING_LOG, 0);
    EXPECT_EQ(listWindow, pane);
    MoveWindow(GetParent(listWindow), 50, 60, 500, 400, TRUE);
    NMHEADERA click = HeaderItemClick(2);
    SendMessageA(listWindow, WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click);
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
