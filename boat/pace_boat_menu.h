// Choosing the pace boat from the windows: Race in the rowing log, No Pace Boat in the
// Workout menu, whose item names the boat chosen.
#pragma once
#include <windows.h>

// The rowing log's Race: the one selected row's workout becomes the pace boat. A row file
// that does not load is reported in a box owned by the pane.
void RaceSelectedWorkout(HWND pane);
// The Workout menu's No Pace Boat.
void ChooseNoPaceBoat();
// Sets that item's text in the active language, greyed while no boat is chosen.
void ShowPaceBoatInMenu();
