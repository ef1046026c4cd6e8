// Loading a language: the text table from the program's TEXT resource, then the main menu.
#include "settings/language.h"

#include <windows.h>

#include "app/main_window.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/text_table.h"
#include "settings/text_table_parser.h"

namespace {

// Where an item is found: by command id anywhere in the menu, by position on the bar, or
// (any other value) by position in the submenu of that bar item.
const int BY_COMMAND = -2;
const int MENU_BAR = -1;

struct MenuLabel {
    int menu;
    UINT item;  // command id, or position within the menu
    int text;
};

// Labels 19..42 and 53, item by item in the order they are relabelled.
const MenuLabel MENU_LABELS[] = {
    {MENU_BAR, 0, 19},
    {BY_COMMAND, IDM_EXIT, 20},
    {MENU_BAR, 1, 21},
    {1, 0, 22},
    {1, 1, 23},
    {BY_COMMAND, IDM_TIME_30, 24},
    {BY_COMMAND, IDM_TIME_60, 25},
    {1, 2, 26},
    {1, 3, 27},
    {1, 4, 28},
    {MENU_BAR, 2, 29},
    {BY_COMMAND, IDM_GRAPH_POWER, 30},
    {BY_COMMAND, IDM_GRAPH_HEART_RATE, 31},
    {BY_COMMAND, IDM_GRAPH_STROKE_RATE, 32},
    {BY_COMMAND, IDM_GRAPH_PACE, 33},
    {MENU_BAR, 3, 34},
    {BY_COMMAND, IDM_ROWING_LOG, 35},
    {BY_COMMAND, IDM_UPDATE_ONLINE_LOG, 36},
    {BY_COMMAND, IDM_ONLINE_LOGBOOK, TEXT_MENU_ONLINE_LOGBOOK},
    {BY_COMMAND, IDM_SET_CLOCK, 37},
    {3, 5, 38},
    {BY_COMMAND, IDM_PREFERENCES, 39},
    {MENU_BAR, 4, 40},
    {BY_COMMAND, IDM_HELP_TOPICS, 41},
    {BY_COMMAND, IDM_ABOUT, 42},
};

void LoadTextTable(const char* name) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, name, "TEXT");
    if (!found) return;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : NULL;
    if (data) ParseTextTable(data, size, textTable);
}

void RelabelMenu(HMENU bar) {
    for (const MenuLabel& label : MENU_LABELS) {
        const char* text = textTable[label.text];
        if (label.menu == BY_COMMAND) {
            // A plain string item again: this also drops a check mark, restored below.
            ModifyMenuA(bar, label.item, MF_BYCOMMAND | MF_STRING, label.item, text);
            continue;
        }
        HMENU menu = label.menu == MENU_BAR ? bar : GetSubMenu(bar, label.menu);
        if (!menu) continue;
        // Changing only the text keeps the submenu the item opens.
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<char*>(text);
        SetMenuItemInfoA(menu, label.item, TRUE, &info);
    }
}

void CheckGraphItem(HMENU bar, UINT command, unsigned char shown) {
    if (shown) CheckMenuItem(bar, command, MF_BYCOMMAND | MF_CHECKED);
}

}  // namespace

void LoadLanguage(const char* name) {
    LoadTextTable(name);
    HMENU bar = mainWindow ? GetMenu(mainWindow) : NULL;
    if (!bar) return;
    RelabelMenu(bar);
    DrawMenuBar(mainWindow);
    CheckGraphItem(bar, IDM_GRAPH_HEART_RATE, settings.showHeartRate);
    CheckGraphItem(bar, IDM_GRAPH_STROKE_RATE, settings.showStrokeRate);
    CheckGraphItem(bar, IDM_GRAPH_PACE, settings.showPace);
    CheckGraphItem(bar, IDM_GRAPH_POWER, settings.showPower);
}
