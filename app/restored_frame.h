// The frame a window is to reopen in.
#pragma once
#include <windows.h>

// The window's frame in screen coordinates: the restored one when the window is minimised,
// since a minimised frame would open as a sliver next time. False when it cannot be read.
bool RestoredFrame(HWND window, RECT* frame);
