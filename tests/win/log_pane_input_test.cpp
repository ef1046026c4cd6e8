// The rowing log's list pane in this process, driven by keys with their modifiers held, clicks
// and focus changes, and read back from the rows it paints.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <commctrl.h>

#include "app/app_state.h"
#include "log/log_list_pane.h"
#include "log/log_window.h"
#include "log/row_file_loader.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

std::vector<UINT> tilings;  // how many entry windows each View tiled

WORD WINAPI RecordTiling(HWND, UINT, const RECT*, UINT count, const HWND*) {
    tilings.push_back(count);
    return (WORD)count;
}

class LogPane : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveRowFiles();
        CreateDirectoryA((ProgramFolder() + "\\data").c_str(), NULL);
        for (int i = 1; i <= 30; i++) {  // oldest first: row r is the file 1001 + r
            FILE* file = fopen(
                (ProgramFolder() + "\\data\\" + std::to_string(1000 + i) + ".csv").c_str(), "w");
            fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n%i,%i.0,0.2,150,%i,24,0\n",
                    i * 3000, 5000 - i, i);
            fclose(file);
        }
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", ProgramFolder().c_str());
        LoadLanguage("ENGLISH");
        settings.logWindowRect = {10, 30, 710, 250};  // a page of a few rows
        logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
        tileEntryWindows = RecordTiling;
        WatchDialogs();
        pane = OpenRowingLog();
        PumpMessages(100);
    }
    void TearDown() override {
        DestroyWindow(GetParent(pane));
        StopWatchingDialogs();
        RemoveRowFiles();
    }
    // Rows of the selected entries, in display order.
    std::vector<int> Selected() {
        std::vector<int> rows;
        for (int r = 0; r < logEntryCount; r++)
            if (logList.selected[logList.displayOrder[r]]) rows.push_back(r);
        return rows;
    }
    HWND pane;
};

// Keys and clicks in sequence: the caret, the selection and the top row after each.
TEST_F(LogPane, KeysAndClicksWithTheirModifiersMoveTheCaretAndTheSelection) {
    const int p = logList.vertical.page;
    ASSERT_GT(p, 5);
    enum { KEY, CLICK };
    const struct {
        int kind, what; bool ctrl, shift; int caret; std::vector<int> selected; int top;
    } steps[] = {  // what: the key, or the row clicked
        {KEY, VK_END, false, false, 29, {29}, 30 - p},
        {KEY, VK_HOME, false, false, 0, {0}, 0},
        {KEY, VK_NEXT, false, false, p - 1, {p - 1}, 0},
        {KEY, VK_NEXT, false, false, 2 * p - 2, {2 * p - 2}, p - 1},
        {KEY, VK_PRIOR, false, false, p - 1, {p - 1}, p - 1},
        {KEY, VK_PRIOR, false, false, 0, {0}, 0},
        {KEY, VK_DOWN, false, true, 1, {0, 1}, 0},
        {KEY, VK_DOWN, true, false, 2, {0, 1}, 0},    // Ctrl moves the frame only
        {KEY, VK_SPACE, true, false, 2, {0, 1, 2}, 0},  // Ctrl+Space flips
        {KEY, VK_SPACE, false, true, 2, {0, 1, 2}, 0},  // Space, Shift or not, only marks
        {KEY, VK_SPACE, true, false, 2, {0, 1}, 0},
        {CLICK, 5, false, false, 5, {5}, 0},
        {CLICK, 8, false, true, 8, {5, 6, 7, 8}, 0},
        {CLICK, 6, true, false, 6, {5, 7, 8}, 0},
        {CLICK, 10, true, true, 10, {5, 6, 7, 8, 9, 10}, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        std::vector<int> held;
        if (s.ctrl) held.push_back(VK_CONTROL);
        if (s.shift) held.push_back(VK_SHIFT);
        HoldKeys(held);
        if (s.kind == KEY) SendMessageA(pane, WM_KEYDOWN, s.what, 0);
        if (s.kind == CLICK)
            SendMessageA(pane, WM_LBUTTONDOWN, (s.ctrl ? MK_CONTROL : 0) | (s.shift ? MK_SHIFT : 0),
                         MAKELPARAM(30, 20 * (s.what + 1) + 5));
        EXPECT_EQ((std::vector<int>{logList.caretRow, logList.vertical.position}),
                  (std::vector<int>{s.caret, s.top}));
        EXPECT_EQ(Selected(), s.selected);
    }
    HoldKeys({});
    SendMessageA(pane, WM_KEYDOWN, VK_RETURN, 0);  // views the six
    EXPECT_EQ(tilings, std::vector<UINT>{6});
    DeleteFileA((ProgramFolder() + "\\data\\1030.csv").c_str());
    SendMessageA(pane, WM_KEYDOWN, VK_END, 0);
    SendMessageA(pane, WM_KEYDOWN, VK_RETURN, 0);  // opens nothing, so tiles nothing
    EXPECT_EQ(tilings, std::vector<UINT>{6});
    SendMessageA(pane, WM_KEYDOWN, VK_HOME, 0);
    // Sorted by distance, an entry window, owned by the log, shows its row's workout; a right
    // click below the last row opens no menu.
    NMHEADERA click = {
        {GetDlgItem(pane, LOG_HEADER_ID), LOG_HEADER_ID, HDN_ITEMCLICKA}, 1, 0, NULL};
    SendMessageA(pane, WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click);  // row r is now 1030 - r
    SendMessageA(pane, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 85));  // row 3
    SendMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0);
    HWND entry = FindWindowA("EntryWndClass", NULL);
    char title[64] = "", date[ENTRY_DATE_SIZE];
    GetWindowTextA(entry, title, sizeof title);
    FormatEntryDate(date, 1027);
    EXPECT_EQ(title, "Rowdata: " + std::string(date));
    EXPECT_EQ(GetWindow(entry, GW_OWNER), GetParent(pane));
    SendMessageA(entry, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
    SendMessageA(pane, WM_RBUTTONDOWN, 0,
                 MAKELPARAM(30, 20 * (30 - logList.vertical.position + 1) + 5));
    SendMessageA(pane, WM_RBUTTONDOWN, 0, MAKELPARAM(30, 25));
    EXPECT_EQ(menuItems, (std::vector<int>{IDM_LOG_PRINT, IDM_LOG_EXPORT, IDM_EXIT, IDM_LOG_VIEW,
                                           IDM_LOG_SEND, IDM_LOG_PRINT, IDM_LOG_DELETE,
                                           IDM_LOG_EXPORT, IDM_LOG_SEND_LOGBOOK}));
    SendMessageA(pane, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 25));
    SendMessageA(pane, WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(30, 45));
    SendMessageA(pane, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(dialogsShown,
              std::vector<std::string>{"Confirm: Do you really want to delete these 2 results?"});
    EXPECT_EQ(logEntryCount, 30);
    SetFocus(GetParent(pane));  // the frame hands the keys on
    EXPECT_EQ(GetFocus(), pane);
    RECT frame;
    GetWindowRect(GetParent(pane), &frame);
    DestroyWindow(GetParent(pane));
    EXPECT_EQ((std::vector<LONG>{settings.logWindowRect.top, settings.logWindowRect.bottom}),
              (std::vector<LONG>{frame.top, frame.bottom}));
}

// Selected rows are painted in the highlight colours while the log has the focus, each column
// of every row in its place 20 pixels below the one before.
TEST_F(LogPane, TheSelectionIsHighlightedOnlyWhileTheLogHasTheFocus) {
    SendMessageA(pane, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 45));  // row 1
    for (bool focus : {true, false}) {
        SCOPED_TRACE(focus);
        SetFocus(focus ? pane : NULL);
        EXPECT_EQ(logList.focusLost, !focus);
        RedrawWindow(pane, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(pane);
        for (int row = 0; row < 4; row++) {
            const int top = logList.headerHeight + 3 + 20 * row;
            std::vector<int> highlight, text;  // per column
            for (int c = 0, left = 0; c < 5; left += logList.columnWidths[c++]) {
                int lit = 0, written = 0;
                for (int y = top; y < top + 12; y++)
                    for (int x = left + 5; x < left + logList.columnWidths[c] - 5; x++) {
                        const COLORREF pixel = GetPixel(dc, x, y);
                        lit += pixel == GetSysColor(COLOR_HIGHLIGHT);
                        written += pixel == GetSysColor(row == 1 && focus ? COLOR_HIGHLIGHTTEXT
                                                                          : COLOR_WINDOWTEXT);
                    }
                highlight.push_back(lit > 20), text.push_back(written > 3);
            }
            EXPECT_EQ(highlight, std::vector<int>(5, row == 1 && focus)) << row;
            EXPECT_EQ(text, std::vector<int>(5, 1)) << row;
        }
        ReleaseDC(pane, dc);
    }
    // The columns keep their natural widths in a wide pane, whose horizontal bar is disabled,
    // not hidden.
    EXPECT_EQ(logList.horizontal.maximum, logList.naturalWidths[0] + logList.naturalWidths[1] +
                                              logList.naturalWidths[2] + logList.naturalWidths[3] +
                                              logList.naturalWidths[4]);
    SCROLLBARINFO bar = {sizeof bar, {}, 0, 0, 0, 0, {}};
    GetScrollBarInfo(pane, OBJID_HSCROLL, &bar);
    EXPECT_EQ(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE),
              (DWORD)STATE_SYSTEM_UNAVAILABLE);
}

}  // namespace
