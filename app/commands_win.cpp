// The main menu's commands, one line per id: each hands the work to the file that owns it.
#include "app/commands.h"

#include "app/about_dialog.h"
#include "app/help.h"
#include "app/main_window.h"
#include "app/workout_menu.h"
#include "boat/pace_boat_menu.h"
#include "log/log_window.h"
#include "logbook/online_logbook.h"
#include "monitor/workout_commands.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/preferences_dialog.h"
#include "settings/settings.h"
#include "upload/online_log.h"

// Graph toggle: flip the flag and its check mark, then redraw the whole picture, whose
// height depends on whether any graph is shown.
static void ToggleGraph(HWND window, uint8_t* flag, int id) {
    HMENU menu = GetMenu(window);
    if (*flag) {
        CheckMenuItem(menu, id, MF_BYCOMMAND | MF_UNCHECKED);
        *flag = 0;
    } else {
        CheckMenuItem(menu, id, MF_BYCOMMAND | MF_CHECKED);
        *flag = 1;
    }
    RedrawLiveDisplay(1);
}

static const int TOOLS_MENU_POSITION = 3;
static const int LANGUAGE_MENU_POSITION = 5;

static void ChooseLanguage(HWND window, const char* name, int id) {
    LoadLanguage(name);
    HMENU tools = GetSubMenu(GetMenu(window), TOOLS_MENU_POSITION);
    HMENU languages = GetSubMenu(tools, LANGUAGE_MENU_POSITION);
    CheckMenuRadioItem(languages, IDM_ENGLISH, IDM_DANISH, id, MF_BYCOMMAND);
    settings.languageCommand = id;
    ShowPaceBoatInMenu();
    // The panel's labels follow the menu at once, not only from the next stroke.
    RedrawLiveDisplay(0);
}

bool RunMenuCommand(HWND window, int id) {
    if (RunWorkoutMenuCommand(id, WindowsMonitorHooks())) return true;
    switch (id) {
    case IDM_EXIT: DestroyWindow(window); return true;
    case IDM_GRAPH_HEART_RATE: ToggleGraph(window, &settings.showHeartRate, id); return true;
    case IDM_GRAPH_STROKE_RATE: ToggleGraph(window, &settings.showStrokeRate, id); return true;
    case IDM_GRAPH_POWER: ToggleGraph(window, &settings.showPower, id); return true;
    case IDM_GRAPH_PACE: ToggleGraph(window, &settings.showPace, id); return true;
    case IDM_ROWING_LOG: OpenRowingLog(); return true;
    case IDM_UPDATE_ONLINE_LOG: UpdateOnlineLog(); return true;
    case IDM_ONLINE_LOGBOOK: OpenOnlineLogbook(window); return true;
    case IDM_SET_CLOCK: SetMonitorClock(); return true;
    case IDM_NO_PACE_BOAT: ChooseNoPaceBoat(); return true;
    case IDM_ENGLISH: ChooseLanguage(window, "ENGLISH", id); return true;
    case IDM_DANISH: ChooseLanguage(window, "DANISH", id); return true;
    case IDM_PREFERENCES:
        DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_PREFERENCES), window,
                        PreferencesDlgProc, 0);
        return true;
    case IDM_HELP_TOPICS: OpenHelpTopics(window); return true;
    case IDM_ABOUT:
        DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), window, AboutDlgProc, 0);
        return true;
    }
    return false;
}
