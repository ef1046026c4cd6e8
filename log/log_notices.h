// How the window-free rowing log code reaches the screen. The entry window's Win32 file
// fills these in (it is linked into every program that shows the log); left empty, as in
// the unit tests, nothing is shown.
#pragma once

// An open list pane repaints after a rescan found row files.
extern void (*logCatalogRescanned)();
// The user hears that the row file at path holds no workout.
extern void (*rowFileNotValid)(const char* path);
