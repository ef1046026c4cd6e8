// Definitions of the program-wide status line and base directory.
#include "app/app_state.h"

char statusLine[STATUS_LINE_SIZE];
char baseDirectory[BASE_DIRECTORY_SIZE];
