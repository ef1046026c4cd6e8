// Program-wide values that window-free code reads and writes: the status line under the
// live numbers, the folder the settings and workouts live in, and the program's own folder.
#pragma once

const int STATUS_LINE_SIZE = 256;
const int BASE_DIRECTORY_SIZE = 260;

extern char statusLine[STATUS_LINE_SIZE];
// Tamsi.ini and the data folder. The program's folder, unless that cannot be written.
extern char baseDirectory[BASE_DIRECTORY_SIZE];
// The folder of Tamsi.exe: the monitor libraries and the help file lie in it.
extern char programDirectory[BASE_DIRECTORY_SIZE];

// Separator between the base directory and the names under it. Tamsi itself always runs
// on Windows; the native test build uses '/' so that its files land where expected.
#ifdef _WIN32
#define PATH_SEPARATOR "\\"
#else
#define PATH_SEPARATOR "/"
#endif
