// Race in the rowing log's menu and No Pace Boat in the Workout menu, in this process.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "log/log_list_state.h"
#include "log/log_window.h"
#include "log/row_file_loader.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

std::vector<int> menuItems;  // the items of each popup menu, closed at once
std::vector<std::string> boxes;
HHOOK menuHook, boxHook;

LRESULT CALLBACK CloseMenus(int code, WPARAM wParam, LPARAM lParam) {
    CWPSTRUCT* sent = (CWPSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP)
        for (int i = 0; i < GetMenuItemCount((HMENU)sent->wParam); i++)
            menuItems.push_back(GetMenuItemID((HMENU)sent->wParam, i));
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE) EndMenu();
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    char caption[64] = "", text[256] = "";
    if (code == HCBT_ACTIVATE && GetDlgItem((HWND)wParam, 0xFFFF)) {
        GetWindowTextA((HWND)wParam, caption, sizeof caption);
        GetDlgItemTextA((HWND)wParam, 0xFFFF, text, sizeof text);
        boxes.push_back(std::string(caption) + ": " + text);
        PostMessageA((HWND)wParam, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

// The Workout menu's item, " (grey)" added while it cannot be chosen.
std::string NoPaceBoatItem() {
    char text[128] = "";
    GetMenuStringA(GetMenu(mainWindow), IDM_NO_PACE_BOAT, text, sizeof text, MF_BYCOMMAND);
    bool grey = GetMenuState(GetMenu(mainWindow), IDM_NO_PACE_BOAT, MF_BYCOMMAND) & MF_GRAYED;
    return text + std::string(grey ? " (grey)" : "");
}

void Row(int row, UINT message, WPARAM keys = 0) {
    PostMessageA(listWindow, message, keys, MAKELPARAM(30, 20 * (row + 1) + 5));
    PumpMessages(50);
}

TEST(PaceBoatMenu, RaceOneRowNamesItsDateInTheWorkoutMenuUntilNoPaceBoat) {
    _putenv("TAMSI_SIM_START_DELAY=1000000");
    RemoveSettingsFile();
    const std::string data = ProgramFolder() + "\\data\\";
    CreateDirectoryA(data.c_str(), NULL);
    WIN32_FIND_DATAA found;  // other tests leave row files behind
    HANDLE search = FindFirstFileA((data + "*.csv").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        DeleteFileA((data + found.cFileName).c_str());
    FindClose(search);
    FILE* file = fopen((data + "1001.csv").c_str(), "w");
    fputs("Time,Distance,Pace,Watts,Cals,SPM,HR\n6000,250.0,0.24,200,10,24,0\n", file);
    fclose(file);
    fclose(fopen((data + "1002.csv").c_str(), "w"));  // no strokes
    logList.sortKey = logList.primaryColumn = logList.secondaryColumn = 0;
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    menuHook = SetWindowsHookExA(WH_CALLWNDPROC, CloseMenus, NULL, GetCurrentThreadId());
    boxHook = SetWindowsHookExA(WH_CBT, AnswerBoxes, NULL, GetCurrentThreadId());
    EXPECT_EQ(NoPaceBoatItem(), "&No Pace Boat (grey)");

    SendMessageA(mainWindow, WM_COMMAND, IDM_ROWING_LOG, 0);
    PumpMessages(100);
    Row(0, WM_LBUTTONDOWN);
    Row(1, WM_LBUTTONDOWN, MK_CONTROL);  // two rows: no Race
    Row(0, WM_RBUTTONDOWN, MK_CONTROL);
    Row(0, WM_RBUTTONDOWN);  // the clicked row alone
    EXPECT_EQ(menuItems, (std::vector<int>{IDM_LOG_VIEW, IDM_LOG_SEND, IDM_LOG_PRINT,
                                           IDM_LOG_DELETE, IDM_LOG_VIEW, IDM_LOG_SEND,
                                           IDM_LOG_PRINT, IDM_LOG_DELETE, IDM_LOG_RACE}));
    PostMessageA(listWindow, WM_COMMAND, IDM_LOG_RACE, 0);
    PumpMessages(50);
    char date[ENTRY_DATE_SIZE];
    FormatEntryDate(date, 1001);
    EXPECT_EQ(NoPaceBoatItem(), std::string("&No Pace Boat (") + date + ")");
    SendMessageA(mainWindow, WM_COMMAND, IDM_DANISH, 0);
    EXPECT_EQ(NoPaceBoatItem(), std::string("&Ingen tempob\xE5" "d (") + date + ")");

    Row(1, WM_LBUTTONDOWN);  // the empty workout cannot be raced: the boat stays
    PostMessageA(listWindow, WM_COMMAND, IDM_LOG_RACE, 0);
    PumpMessages(300);
    FormatEntryDate(date, 1002);
    EXPECT_EQ(boxes, std::vector<std::string>{std::string("Error: The workout of ") + date +
                                              " cannot be raced: its row file is missing or "
                                              "holds no strokes."});
    EXPECT_NE(NoPaceBoatItem().find("("), std::string::npos);
    SendMessageA(mainWindow, WM_COMMAND, IDM_NO_PACE_BOAT, 0);
    EXPECT_EQ(NoPaceBoatItem(), "&Ingen tempob\xE5" "d (grey)");

    UnhookWindowsHookEx(menuHook);
    UnhookWindowsHookEx(boxHook);
    DestroyWindow(GetParent(listWindow));
    SendMessageA(mainWindow, WM_COMMAND, IDM_ENGLISH, 0);
    CloseMainWindow();
    RemoveSettingsFile();
}

}  // namespace
