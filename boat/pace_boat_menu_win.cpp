// Race and No Pace Boat: the choice goes to the race, the Workout menu names it, and the live
// display drops a boat that stopped racing at once.
#include "boat/pace_boat_menu.h"

#include <stdio.h>

#include "app/main_window.h"
#include "boat/boat_race.h"
#include "log/log_catalog.h"
#include "log/log_list_selection.h"
#include "log/log_list_state.h"
#include "log/row_file_loader.h"
#include "resources/resource.h"
#include "settings/text_table.h"

void ShowPaceBoatInMenu() {
    HMENU bar = mainWindow ? GetMenu(mainWindow) : NULL;
    if (bar == NULL) return;
    char text[TEXT_SLOT_SIZE + ENTRY_DATE_SIZE + 4];
    FormatNoPaceBoatItem(text, sizeof text);
    UINT state = boatRace.chosen ? MF_ENABLED : MF_GRAYED;
    ModifyMenuA(bar, IDM_NO_PACE_BOAT, MF_BYCOMMAND | MF_STRING | state, IDM_NO_PACE_BOAT, text);
}

void ChooseNoPaceBoat() {
    DropPaceBoat();
    ShowPaceBoatInMenu();
    RedrawLiveDisplay(1);
}

void RaceSelectedWorkout(HWND pane) {
    if (CountSelectedRows() != 1) return;
    int row = 0;
    while (row < logEntryCount && !IsRowSelected(row)) row++;
    if (row == logEntryCount) return;
    int32_t startTime = logEntries[logList.displayOrder[row]].startTime;
    if (!ChoosePaceBoat(startTime)) {
        char message[160];
        char date[ENTRY_DATE_SIZE];
        FormatEntryDate(date, startTime);
        snprintf(message, sizeof message,
                 "The workout of %s cannot be raced: its row file is missing or holds no strokes.",
                 date);
        MessageBoxA(pane, message, "Error", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    ShowPaceBoatInMenu();
    // A boat that raced until now stops; the new one waits for the next workout.
    RedrawLiveDisplay(1);
}
