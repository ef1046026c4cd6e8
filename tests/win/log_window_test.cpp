// The rowing log's windows in this process, driven by clicks and keys with their modifiers
// held, scroll bars, header notifications, commands and focus changes; read back from the rows
// and the pixels they paint. Boxes are answered Cancel, menus closed at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "log/log_catalog.h"
#include "log/log_list_layout.h"
#include "log/log_list_pane.h"
#include "log/log_window.h"
#include "log/row_file_loader.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

std::vector<UINT> tilings;  // how many windows, side by side
int rowsWhileTiling;        // the rows a scan asked for by the recorder during View left

WORD WINAPI RecordTiling(HWND parent, UINT how, const RECT* area, UINT count, const HWND*) {
    if (parent == NULL && area == NULL && how == MDITILE_VERTICAL) tilings.push_back(count);
    rowFileListener();
    rowsWhileTiling = logEntryCount;
    return (WORD)count;
}

std::string DataPath(int t) { return ProgramFolder() + "\\data\\" + std::to_string(t) + ".csv"; }

class LogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveRowFiles();
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", ProgramFolder().c_str());
        LoadLanguage("ENGLISH");
        logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
        logList.anchorRow = -1;
        memset(logList.columnWidths, 0, sizeof logList.columnWidths);  // as a first opening
        memset(logList.naturalWidths, 0, sizeof logList.naturalWidths);
        tileEntryWindows = RecordTiling;
        tilings.clear();
        WatchDialogs();
    }
    void TearDown() override {
        if (listWindow) DestroyWindow(GetParent(listWindow));
        StopWatchingDialogs();
        RemoveRowFiles();
    }
    // count workouts, one row file each: start times 1001 on, distances falling.
    void OpenLog(int count, int bottom = 500) {
        settings.logWindowRect = {10, 30, 710, bottom};
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
    // Start times of the selected entries, in display order, each less the given number.
    std::vector<int> Selected(int less = 0) {
        std::vector<int> times;
        for (int row = 0, slot; row < logEntryCount; row++)
            if (logList.selected[slot = logList.displayOrder[row]])
                times.push_back(logEntries[slot].startTime - less);
        return times;
    }
};

TEST_F(LogWindow, ClicksHeaderMenuDoubleClickAndRescanReachTheRows) {
    OpenLog(12);
    Click(3);
    Click(5, MK_SHIFT);
    EXPECT_TRUE(Repaints(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(30, 185)));  // row 8
    EXPECT_EQ(Selected(), (std::vector<int>{1004, 1005, 1006, 1009}));
    for (int column : {0, 1}) {  // by date again: the newest first; by distance: they fall
        HWND header = GetDlgItem(listWindow, LOG_HEADER_ID);
        NMHEADERA click = {{header, LOG_HEADER_ID, HDN_ITEMCLICKA}, column, 0, NULL};
        EXPECT_TRUE(Repaints(WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click));
        EXPECT_EQ(Selected(), (std::vector<int>{1009, 1006, 1005, 1004})) << column;
    }

    Click(1, 0, WM_RBUTTONDOWN);  // selects the row under it
    // Every scan numbers the slots anew; the selection and the caret stay on their workouts.
    // One the recorder asks for during a command (View here) waits for its end.
    fclose(fopen(DataPath(1013).c_str(), "w"));  // a workout just begun: no distance yet
    Click(1, 0, WM_LBUTTONDBLCLK);  // which the pane's class asks the system for
    EXPECT_TRUE(GetClassLongPtrA(listWindow, GCL_STYLE) & CS_DBLCLKS);
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

// Selected rows are painted in the highlight colours while the log has the focus, each column
// of every row in its place 20 pixels below the one before. Keys and clicks in sequence: the
// caret, the selection and the top row after each.
TEST_F(LogWindow, TheSelectionIsHighlightedWithFocusAndKeysAndClicksMoveCaretAndSelection) {
    OpenLog(30, 250);  // a page of a few rows
    SendMessageA(listWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 45));  // row 1
    for (bool focus : {true, false}) {
        SCOPED_TRACE(focus);
        SetFocus(focus ? listWindow : NULL);
        RedrawWindow(listWindow, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(listWindow);
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
        ReleaseDC(listWindow, dc);
    }
    // The columns keep their natural widths in a wide pane, whose horizontal bar is disabled,
    // not hidden.
    const std::vector<int> natural(logList.naturalWidths, logList.naturalWidths + 5);
    EXPECT_EQ(std::vector<int>(logList.columnWidths, logList.columnWidths + 5), natural);
    EXPECT_EQ(logList.horizontal.maximum, natural[0] + natural[1] + natural[2] + natural[3] +
                                              natural[4]);
    SCROLLBARINFO bar = {sizeof bar, {}, 0, 0, 0, 0, {}};
    GetScrollBarInfo(listWindow, OBJID_HSCROLL, &bar);
    EXPECT_EQ(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE),
              (DWORD)STATE_SYSTEM_UNAVAILABLE);
    // View asks above ten entries and tiles up to six; the newest entry window lies on top
    // where the log was, as wide as an entry may be, and is redrawn whole when made smaller.
    for (int count : {11, 7, 10}) {
        for (int row = 0; row < 30; row++) logList.selected[logList.displayOrder[row]] = row < count;
        SendMessageA(listWindow, WM_COMMAND, IDM_LOG_VIEW, 0);
    }
    HWND newest = FindWindowA("EntryWndClass", NULL);
    UpdateWindow(newest);
    RECT placed, update;
    GetWindowRect(newest, &placed);
    EXPECT_EQ((std::vector<LONG>{placed.left, placed.top, placed.right}),
              (std::vector<LONG>{10, 30, 620}));
    SetWindowPos(newest, NULL, 0, 0, 450, 380, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(newest, &placed);
    GetUpdateRect(newest, &update, FALSE);
    EXPECT_TRUE(EqualRect(&placed, &update));
    const int p = logList.vertical.page;
    enum { KEY, CLICK };
    const int CTRL = MK_CONTROL, SHIFT = MK_SHIFT, BOTH = CTRL | SHIFT;
    const struct {
        int kind, what, keys, caret; std::vector<int> selected; int top;
    } steps[] = {  // what: the key, or the row clicked; keys: the modifiers held
        {KEY, VK_END, 0, 29, {29}, 30 - p},
        {KEY, VK_HOME, 0, 0, {0}, 0},
        {KEY, VK_NEXT, 0, p - 1, {p - 1}, 0},
        {KEY, VK_NEXT, 0, 2 * p - 2, {2 * p - 2}, p - 1},
        {KEY, VK_PRIOR, 0, p - 1, {p - 1}, p - 1},
        {KEY, VK_PRIOR, 0, 0, {0}, 0},
        {KEY, VK_DOWN, SHIFT, 1, {0, 1}, 0},
        {KEY, VK_DOWN, CTRL, 2, {0, 1}, 0},      // Ctrl moves the frame only
        {KEY, VK_SPACE, CTRL, 2, {0, 1, 2}, 0},  // Ctrl+Space flips
        {KEY, VK_SPACE, SHIFT, 2, {0, 1, 2}, 0},  // Space, Shift or not, only marks
        {KEY, VK_SPACE, CTRL, 2, {0, 1}, 0},
        {CLICK, 5, 0, 5, {5}, 0},
        {CLICK, 8, SHIFT, 8, {5, 6, 7, 8}, 0},
        {CLICK, 6, CTRL, 6, {5, 7, 8}, 0},
        {CLICK, 10, BOTH, 10, {5, 6, 7, 8, 9, 10}, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        HoldKeys({s.keys & CTRL ? VK_CONTROL : 0, s.keys & SHIFT ? VK_SHIFT : 0});
        if (s.kind == KEY) SendMessageA(listWindow, WM_KEYDOWN, s.what, 0);
        else SendMessageA(listWindow, WM_LBUTTONDOWN, s.keys, MAKELPARAM(30, 20 * s.what + 25));
        EXPECT_EQ((std::vector<int>{logList.caretRow, logList.vertical.position}),
                  (std::vector<int>{s.caret, s.top}));
        EXPECT_EQ(Selected(1001), s.selected);  // rows, as long as sorted by date
    }
    HoldKeys({});
    SendMessageA(listWindow, WM_KEYDOWN, VK_RETURN, 0);  // views the six
    EXPECT_EQ(tilings, std::vector<UINT>{6});
    DeleteFileA((ProgramFolder() + "\\data\\1030.csv").c_str());
    SendMessageA(listWindow, WM_KEYDOWN, VK_END, 0);
    SendMessageA(listWindow, WM_KEYDOWN, VK_RETURN, 0);  // opens nothing, so tiles nothing
    EXPECT_EQ(tilings, std::vector<UINT>{6});
    SendMessageA(listWindow, WM_KEYDOWN, VK_HOME, 0);
    // Sorted by distance, an entry window, owned by the log, shows its row's workout; a right
    // click below the last row opens no menu.
    NMHEADERA click = {
        {GetDlgItem(listWindow, LOG_HEADER_ID), LOG_HEADER_ID, HDN_ITEMCLICKA}, 1, 0, NULL};
    SendMessageA(listWindow, WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&click);  // row r is now 1030 - r
    SendMessageA(listWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 85));  // row 3
    SendMessageA(listWindow, WM_COMMAND, IDM_LOG_VIEW, 0);
    HWND entry = FindWindowA("EntryWndClass", NULL);
    char title[64] = "", date[ENTRY_DATE_SIZE];
    GetWindowTextA(entry, title, sizeof title);
    FormatEntryDate(date, 1027);
    EXPECT_EQ(title, "Rowdata: " + std::string(date));
    EXPECT_EQ(GetWindow(entry, GW_OWNER), GetParent(listWindow));
    SendMessageA(entry, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
    SendMessageA(listWindow, WM_RBUTTONDOWN, 0,
                 MAKELPARAM(30, 20 * (30 - logList.vertical.position + 1) + 5));
    SendMessageA(listWindow, WM_RBUTTONDOWN, 0, MAKELPARAM(30, 25));
    EXPECT_EQ(menuItems, (std::vector<int>{IDM_LOG_PRINT, IDM_LOG_EXPORT, IDM_EXIT, IDM_LOG_VIEW,
                                           IDM_LOG_SEND, IDM_LOG_PRINT, IDM_LOG_DELETE,
                                           IDM_LOG_EXPORT, IDM_LOG_SEND_LOGBOOK, IDM_LOG_RACE}));
    EXPECT_EQ(logEntryCount, 29);  // the scan the first View asked for dropped 1030
    Click(1);
    Post(WM_KEYDOWN, VK_DELETE, 0);  // one result: no question
    EXPECT_EQ(GetFileAttributesA(DataPath(1028).c_str()), INVALID_FILE_ATTRIBUTES);
    Click(0), Click(1, MK_SHIFT);  // the rows close up in their order
    EXPECT_EQ(Selected(), (std::vector<int>{1029, 1027}));
    Post(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(dialogsShown, (std::vector<std::string>{
                                "Confirm: Do you really want to open 11 entries at once?",
                                "Confirm: Do you really want to delete these 2 results?"}));
    EXPECT_EQ(logEntryCount, 28);
    SetFocus(GetParent(listWindow));  // the frame hands the keys on
    EXPECT_EQ(GetFocus(), listWindow);
}

bool Framed(int y) {  // the caret frame's dots or their gaps at y
    HDC dc = GetDC(listWindow);
    COLORREF colour = GetPixel(dc, 20, y), highlight = GetSysColor(COLOR_HIGHLIGHT);
    ReleaseDC(listWindow, dc);
    return colour == highlight || colour == InvertColour(highlight);
}

// Whether the pane shows what painting it whole shows: scrolling moved the right pixels.
bool ShownAsRepainted() {
    HDC dc = GetDC(listWindow);
    UpdateWindow(listWindow);
    const std::vector<DWORD> shown = Picture(dc);
    RedrawWindow(listWindow, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool same = Picture(dc) == shown;
    ReleaseDC(listWindow, dc);
    return same;
}

TEST_F(LogWindow, ATallerHeaderTheBarsTheWheelAndTheDividerMoveRowsClicksAndFrame) {
    OpenLog(40);
    HWND header = GetDlgItem(listWindow, LOG_HEADER_ID), frame = GetParent(listWindow);
    MoveWindow(frame, 10, 30, 400, 300, TRUE);
    RECT client, pane;
    GetClientRect(frame, &client), GetWindowRect(listWindow, &pane);
    EXPECT_EQ(pane.bottom - pane.top, client.bottom - client.top);  // the pane fills the frame
    SendMessageA(header, WM_SETFONT, (WPARAM)CreateFontA(-40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                          "Arial"), FALSE);
    MoveWindow(frame, 10, 30, 300, 300, TRUE);  // lays the header out anew
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 2, NULL, 0);
    const int p = logList.vertical.page, natural = logList.naturalWidths[0];
    HDITEMA item = {};
    item.mask = HDI_WIDTH, item.cxy = 20;
    NMHEADERA track = {{header, LOG_HEADER_ID, HDN_TRACKA}, 0, 0, &item};
    NMHEADERA fit = {{header, LOG_HEADER_ID, HDN_DIVIDERDBLCLICKA}, 0, 0, NULL};
    const struct { UINT message; WPARAM wParam; LPARAM lParam; int top, left; } steps[] = {
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 6), 0, 6, 0},  // the thumbs while dragged
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0, 6, 30},
        {WM_VSCROLL, SB_PAGEDOWN, 0, 6 + p, 30},
        {WM_VSCROLL, SB_LINEUP, 0, 5 + p, 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0, 7 + p, 30},  // a notch towards the user: 2 rows
        {WM_VSCROLL, SB_PAGEUP, 0, 7, 30},
        {WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&track, 7, 30},  // a divider dragged: space at the right
        {WM_NOTIFY, LOG_HEADER_ID, (LPARAM)&fit, 7, 30},    // and double-clicked
        {WM_HSCROLL, SB_PAGELEFT, 0, 7, 0},
    };
    ShownAsRepainted();  // the new font was set without a redraw
    for (const auto& s : steps) {
        SendMessageA(listWindow, s.message, s.wParam, s.lParam);
        EXPECT_EQ(std::make_pair(logList.vertical.position, logList.horizontal.position),
                  std::make_pair(s.top, s.left)) << &s - steps;
        EXPECT_TRUE(ShownAsRepainted()) << &s - steps;
    }
    SendMessageA(header, HDM_GETITEMA, 0, (LPARAM)&item);
    EXPECT_EQ(std::make_pair(item.cxy, logList.columnWidths[0]), std::make_pair(natural, natural));
    char text[16] = "";
    item.mask = HDI_TEXT, item.pszText = text, item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, 1, (LPARAM)&item);
    EXPECT_STREQ(text, "Distance");  // each column under its own title
    // Two Ctrl clicks on the lower edge of the top row shown: framed, but not selected.
    RECT title;
    GetClientRect(header, &title);
    EXPECT_TRUE(IsWindowVisible(header) && title.bottom > 40);  // shown, in its taller font
    const int top = title.bottom;
    Post(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(40, top + 19));
    Post(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(40, top + 19));
    EXPECT_EQ(logList.caretRow, 7);
    UpdateWindow(listWindow);
    EXPECT_TRUE(Framed(top) && Framed(top + 19) && !Framed(top + 1) && !Framed(top + 20));
    ShowWindow(frame, SW_MINIMIZE);  // closed minimised, it keeps the frame it had
    DestroyWindow(frame);
    const RECT kept = {10, 30, 310, 330};
    EXPECT_EQ(memcmp(&settings.logWindowRect, &kept, sizeof kept), 0);
}

// Race makes the one selected row the pace boat, which the Workout menu names in the language
// chosen until No Pace Boat; two selected rows offer no Race, an empty workout is refused.
TEST_F(LogWindow, RaceNamesTheWorkoutInTheWorkoutMenuUntilNoPaceBoat) {
    OpenLog(2);
    fclose(fopen(DataPath(1002).c_str(), "w"));
    HMENU bar = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_TAMSI));
    mainWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, NULL, bar, NULL, NULL);
    auto item = [bar] {
        char text[128] = "";
        GetMenuStringA(bar, IDM_NO_PACE_BOAT, text, sizeof text, MF_BYCOMMAND);
        bool grey = GetMenuState(bar, IDM_NO_PACE_BOAT, MF_BYCOMMAND) & MF_GRAYED;
        return std::string(text) + (grey ? " (grey)" : "");
    };
    Click(0), Click(1, MK_CONTROL), Click(1, MK_CONTROL, WM_RBUTTONDOWN);  // two rows, 6 items
    Click(0, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(menuItems.size(), 13u);
    EXPECT_EQ(menuItems.back(), IDM_LOG_RACE);
    Post(WM_COMMAND, IDM_LOG_RACE, 0);
    char date[ENTRY_DATE_SIZE];
    FormatEntryDate(date, 1001);
    EXPECT_EQ(item(), std::string("&No Pace Boat (") + date + ")");
    RunMenuCommand(mainWindow, IDM_DANISH);
    Click(1);
    Post(WM_COMMAND, IDM_LOG_RACE, 0);
    EXPECT_EQ(dialogsShown.size(), 1u);
    EXPECT_NE(dialogsShown.at(0).find("Error: The workout of "), std::string::npos);
    EXPECT_EQ(item(), std::string("&Ingen tempob\xE5" "d (") + date + ")");
    RunMenuCommand(mainWindow, IDM_NO_PACE_BOAT);
    EXPECT_EQ(item(), "&Ingen tempob\xE5" "d (grey)");
    DestroyWindow(mainWindow);
    mainWindow = NULL;
}

}  // namespace
