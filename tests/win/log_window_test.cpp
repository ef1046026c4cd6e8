// The rowing log's windows in this process, driven by posted clicks, keys, header
// notifications and commands; message boxes answered by a hook.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <commctrl.h>

#include "app/app_state.h"
#include "log/log_catalog.h"
#include "log/log_list_layout.h"
#include "log/log_list_pane.h"
#include "log/log_window.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

// Message boxes as "caption: text" (answered No), popup menus' items (closed at once), tilings.
std::vector<std::string> boxes;
std::vector<int> menuItems;
std::vector<UINT> tilings;  // how many windows, side by side
int rowsWhileTiling;        // the rows a scan asked for by the recorder during View left
HHOOK boxHook, menuHook;

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = "", caption[64] = "", text[1024] = "";
    if (code == HCBT_ACTIVATE && GetClassNameA((HWND)wParam, name, sizeof name) &&
        strcmp(name, "#32770") == 0) {
        GetWindowTextA((HWND)wParam, caption, sizeof caption);
        GetDlgItemTextA((HWND)wParam, 0xFFFF, text, sizeof text);  // the box's text
        boxes.push_back(std::string(caption) + ": " + text);
        PostMessageA((HWND)wParam, WM_COMMAND, IDNO, 0);
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

WORD WINAPI RecordTiling(HWND parent, UINT how, const RECT* area, UINT count, const HWND*) {
    if (parent == NULL && area == NULL && how == MDITILE_VERTICAL) tilings.push_back(count);
    rowFileListener();
    rowsWhileTiling = logEntryCount;
    return (WORD)count;
}

std::string DataPath(int startTime) {
    return ProgramFolder() + "\\data\\" + std::to_string(startTime) + ".csv";
}

class LogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Other tests leave row files of their own behind.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((ProgramFolder() + "\\data\\*.csv").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            DeleteFileA((ProgramFolder() + "\\data\\" + found.cFileName).c_str());
        FindClose(search);
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
        UnhookWindowsHookEx(boxHook);
        UnhookWindowsHookEx(menuHook);
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
    // Whether a message sent to the pane left anything to repaint.
    bool Repaints(UINT message, WPARAM wParam, LPARAM lParam) {
        ValidateRect(listWindow, NULL);
        SendMessageA(listWindow, message, wParam, lParam);
        return GetUpdateRect(listWindow, NULL, FALSE) != FALSE;
    }
    // Start times of the selected entries, in display order.
    std::vector<int> Selected() {
        std::vector<int> times;
        for (int row = 0, slot; row < logEntryCount; row++)
            if (logList.selected[slot = logList.displayOrder[row]])
                times.push_back(logEntries[slot].startTime);
        return times;
    }
};

TEST_F(LogWindow, ClicksHeaderMenuDoubleClickAndRescanReachTheRows) {
    OpenLog(12);
    Click(3);
    Click(5, MK_SHIFT);
    EXPECT_TRUE(Repaints(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(30, 185)));  // row 8
    EXPECT_EQ(Selected(), (std::vector<int>{1004, 1005, 1006, 1009}));
    NMHEADERA click = {
        {GetDlgItem(listWindow, LOG_HEADER_ID), LOG_HEADER_ID, HDN_ITEMCLICKA}, 1, 0, NULL};
    EXPECT_TRUE(Repaints(WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click));
    EXPECT_EQ(Selected(), (std::vector<int>{1009, 1006, 1005, 1004}));  // distances fall

    Click(1, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(menuItems,
              (std::vector<int>{IDM_LOG_VIEW, IDM_LOG_SEND, IDM_LOG_PRINT, IDM_LOG_DELETE,
                                IDM_LOG_EXPORT, IDM_LOG_SEND_LOGBOOK}));
    // Every scan numbers the slots anew; the selection and the caret stay on their workouts.
    // One the recorder asks for during a command (View here) waits for its end.
    fclose(fopen(DataPath(1013).c_str(), "w"));  // a workout just begun: no distance yet
    Click(1, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(tilings.size(), 1u);
    EXPECT_EQ(rowsWhileTiling, 12);
    const struct { void (*scan)(); int rows, caret; } scans[] = {
        {[] {}, 13, 2},  // the recorder's, after View
        {[] { DeleteFileA(DataPath(1001).c_str()), ScanLogCatalog(); }, 12, 2},  // Update Online Log
        {[] { fclose(fopen(DataPath(1014).c_str(), "w")), rowFileListener(); }, 13, 3},
        {[] { DeleteFileA(DataPath(1002).c_str()), OpenRowingLog(); }, 12, 3},  // Rowing Log again
    };
    for (const auto& s : scans) {
        s.scan();
        PumpMessages(50);
        EXPECT_EQ(logEntryCount, s.rows);
        EXPECT_EQ(Selected(), std::vector<int>{1011});
        EXPECT_EQ(logList.caretRow, s.caret);
    }
}

TEST_F(LogWindow, ViewAsksAboveTenAndTilesUpToSixAndDeletingOneAsksNothing) {
    OpenLog(11);
    for (int count : {11, 6, 7, 10}) {
        Click(0);
        Click(count - 1, MK_SHIFT);
        Post(WM_COMMAND, IDM_LOG_VIEW, 0);
        PumpMessages(200);
    }
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Confirm: Do you really want to open 11 entries at once?"});
    EXPECT_EQ(tilings, std::vector<UINT>{6});
    // The newest entry window, on top where the log was, as wide as an entry may be; it is
    // redrawn whole when made smaller, which uncovers nothing.
    HWND newest = FindWindowA("EntryWndClass", NULL);
    char title[64] = "";
    GetWindowTextA(newest, title, sizeof title);
    EXPECT_EQ(std::string(title).substr(0, 9), "Rowdata: ");
    RECT placed, update;
    GetWindowRect(newest, &placed);
    EXPECT_EQ((std::vector<LONG>{placed.left, placed.top, placed.right}),
              (std::vector<LONG>{10, 30, 620}));
    SetWindowPos(newest, NULL, 0, 0, 450, 380, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(newest, &placed);
    GetUpdateRect(newest, &update, FALSE);
    EXPECT_TRUE(EqualRect(&placed, &update));

    Click(0);
    Post(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(boxes.size(), 1u);  // one entry: no question
    EXPECT_EQ(GetFileAttributesA(DataPath(1001).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(logEntryCount, 10);
}

bool Framed(int y) {  // the caret frame's dots or their gaps at y
    HDC dc = GetDC(listWindow);
    COLORREF colour = GetPixel(dc, 20, y), highlight = GetSysColor(COLOR_HIGHLIGHT);
    ReleaseDC(listWindow, dc);
    return colour == highlight || colour == InvertColour(highlight);
}

TEST_F(LogWindow, ATallerHeaderTheThumbAndTheWheelMoveRowsClicksAndFrame) {
    OpenLog(30);
    HWND header = GetDlgItem(listWindow, LOG_HEADER_ID), frame = GetParent(listWindow);
    SendMessageA(header, WM_SETFONT, (WPARAM)CreateFontA(-40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                          "Arial"), FALSE);
    MoveWindow(frame, 10, 30, 300, 300, TRUE);  // lays the header out anew
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 2, NULL, 0);
    Post(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 6), 0);  // the thumbs while dragged
    Post(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);  // a notch towards the user: two rows down
    EXPECT_EQ(std::make_pair(logList.vertical.position, logList.horizontal.position),
              std::make_pair(8, 30));
    // Two Ctrl clicks on the lower edge of the third row shown: framed, but not selected.
    RECT title;
    GetClientRect(header, &title);
    ASSERT_GT(title.bottom, 40);
    const int top = title.bottom + 40;
    Post(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(40, top + 19));
    Post(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(40, top + 19));
    EXPECT_EQ(logList.caretRow, 10);
    UpdateWindow(listWindow);
    EXPECT_TRUE(Framed(top) && Framed(top + 19) && !Framed(top + 1) && !Framed(top + 20));
    ShowWindow(frame, SW_MINIMIZE);  // closed minimised, it keeps the frame it had
    DestroyWindow(frame);
    EXPECT_EQ(std::make_pair(settings.logWindowRect.right, settings.logWindowRect.bottom),
              std::make_pair(310, 330));
}

}  // namespace
