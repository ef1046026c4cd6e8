// The 250 ms timer callback that polls the monitor and redraws the live display.
#pragma once
#include <windows.h>

void CALLBACK PollMonitor(HWND window, UINT message, UINT_PTR timerId, DWORD systemTime);
