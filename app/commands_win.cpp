// The main menu's commands, one line per id: each hands the work to the file that owns it.
#include "app/commands.h"

#include "app/about_dialog.h"
#include "app/help.h"
#include "app/main_window.h"
#include "log/log_window.h"
#include "monitor/workout_commands.h"
#include "resources/resource.h"
#include "settings/language.h"
#include "settings/preferences_dialog.h"
#include "settings/settings.h"
#include "upload/online_log.h"

struct DistanceCommand {
    int id;
    int metres;
};

static const DistanceCommand DISTANCE_COMMANDS[] = {
    {IDM_DISTANCE_250, 250},     {IDM_DISTANCE_500, 500},     {IDM_DISTANCE_1000, 1000},
    {IDM_DISTANCE_2000, 2000},   {IDM_DISTANCE_3000, 3000},   {IDM_DISTANCE_4000, 4000},
    {IDM_DISTANCE_5000, 5000},   {IDM_DISTANCE_6000, 6000},   {IDM_DISTANCE_10000, 10000},
    {IDM_DISTANCE_21097, 21097}, {IDM_DISTANCE_42195, 42195},
};

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
static const int LANGUAGE_MENU_POSITION = 4;

static void ChooseLanguage(HWND window, const char* name, int id) {
    LoadLanguage(name);
    HMENU tools = GetSubMenu(GetMenu(window), TOOLS_MENU_POSITION);
    HMENU languages = GetSubMenu(tools, LANGUAGE_MENU_POSITION);
    CheckMenuRadioItem(languages, IDM_ENGLISH, IDM_DANISH, id, MF_BYCOMMAND);
    settings.languageCommand = id;
}

bool RunMenuCommand(HWND window, int id) {
    for (const DistanceCommand& command : DISTANCE_COMMANDS) {
        if (command.id == id) {
            ProgramDistanceWorkout(command.metres);
            return true;
        }
    }
    if (id >= IDM_STANDARD_FIRST && id <= IDM_FAVORITES_LAST) {
        ProgramStoredWorkout(id - IDM_STANDARD_FIRST + 1);
        return true;
    }
    switch (id) {
    case IDM_EXIT: DestroyWindow(window); return true;
    case IDM_TIME_30: ProgramTimeWorkout(30); return true;
    case IDM_TIME_60: ProgramTimeWorkout(60); return true;
    case IDM_GRAPH_HEART_RATE: ToggleGraph(window, &settings.showHeartRate, id); return true;
    case IDM_GRAPH_STROKE_RATE: ToggleGraph(window, &settings.showStrokeRate, id); return true;
    case IDM_GRAPH_POWER: ToggleGraph(window, &settings.showPower, id); return true;
    case IDM_GRAPH_PACE: ToggleGraph(window, &settings.showPace, id); return true;
    case IDM_ROWING_LOG: OpenRowingLog(); return true;
    case IDM_UPDATE_ONLINE_LOG: UpdateOnlineLog(); return true;
    case IDM_SET_CLOCK: SetMonitorClock(); return true;
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
