// Definitions of the program-wide status line and folders.
#include "app/app_state.h"

char statusLine[STATUS_LINE_SIZE];
char baseDirectory[BASE_DIRECTORY_SIZE];
char programDirectory[BASE_DIRECTORY_SIZE];
