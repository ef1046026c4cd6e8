// The main window: its handle, the off-screen bitmap every live redraw goes into,
// and the one routine that redraws the live display and shows it.
#pragma once
#include <windows.h>

const UINT_PTR POLL_TIMER_ID = 99;
const UINT POLL_PERIOD_MS = 250;

extern HINSTANCE moduleInstance;
extern HWND mainWindow;  // published only after the window is shown
extern HDC offscreenDc;  // memory context holding the off-screen bitmap
extern HACCEL acceleratorTable;
extern char mainWindowTitle[256];
extern char windowClassName[256];

void RegisterMainWindowClass(HINSTANCE instance);
// The off-screen bitmap: 32 bits a pixel, top row first, whose pixels the strip graph writes
// straight into (see DrawStripGraph).
HBITMAP CreateOffscreenBitmap(HDC reference, int width, int height);
bool CreateMainWindow(HINSTANCE instance, int showState);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the live record into the off-screen bitmap (the whole picture when full is
// non-zero, the numbers only otherwise) and invalidates the main window without erasing.
void RedrawLiveDisplay(unsigned char full);
