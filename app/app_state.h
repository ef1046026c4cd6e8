// Program-wide values that window-free code reads and writes: the status line under the
// live numbers and the folder every file of the program lives in.
#pragma once

const int STATUS_LINE_SIZE = 256;
const int BASE_DIRECTORY_SIZE = 260;

extern char statusLine[STATUS_LINE_SIZE];
extern char baseDirectory[BASE_DIRECTORY_SIZE];

// Separator between the base directory and the names under it. Tamsi itself always runs
// on Windows; the native test build uses '/' so that its files land where expected.
#ifdef _WIN32
#define PATH_SEPARATOR "\\"
#else
#define PATH_SEPARATOR "/"
#endif
