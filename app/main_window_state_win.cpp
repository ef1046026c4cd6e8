// The main window's program-wide handles and titles.
#include "app/main_window.h"

HINSTANCE moduleInstance;
HWND mainWindow;
HDC offscreenDc;
HACCEL acceleratorTable;
char mainWindowTitle[256];
char windowClassName[256];
