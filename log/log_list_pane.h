// The rowing log's list pane: its window procedure and the handlers it hands messages to.
#pragma once
#include <windows.h>

#include "log/log_list_state.h"

const int LOG_HEADER_ID = 1202;
const int IDM_LOG_PRINT = 15001;
const int IDM_LOG_VIEW = 15002;
const int IDM_LOG_DELETE = 15003;
const int IDM_LOG_SEND = 15004;
// Asks the pane to rescan the data folder and show what it found (see RescanOpenLog).
const UINT WM_LOG_RESCAN = WM_APP + 1;
const int IDM_LOG_RACE = 15007;

LRESULT CALLBACK LogListWndProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateLogHeader(HWND pane);

// Sets a scroll bar from its state (range, page, position, disabled when everything fits)
// and reads the clamped position back into the state.
void ApplyScrollState(HWND pane, int bar, LogScrollState* state);
void InvalidateListArea(HWND pane);
// Moves the header to follow the columns: x = - horizontal position, client width +
// horizontal maximum wide, its top and height as placed last.
void MoveLogHeader(HWND pane);

void OnLogPaint(HWND pane);
void OnLogVerticalScroll(HWND pane, WPARAM wParam);
void OnLogHorizontalScroll(HWND pane, WPARAM wParam);
// The mouse wheel: the system's lines per notch, parts of a notch carried over.
void OnLogWheel(HWND pane, int delta);
void OnLogHeaderNotify(HWND pane, NMHDR* header);

void OnLogFocus(HWND pane, bool gained);
void OnLogLeftButtonDown(HWND pane, WPARAM flags, LPARAM point);
void OnLogKeyDown(HWND pane, WPARAM key);

void OnLogHeaderClick(HWND pane, int column);
void OnLogRightButtonDown(HWND pane, WPARAM flags, LPARAM point);
// False for commands the pane does not know.
bool RunLogCommand(HWND pane, int id);

// The system's tiling, called by View for the windows it opened. A seam for tests: Wine's
// TileWindows moves nothing.
typedef WORD(WINAPI* TileWindowsFunction)(HWND parent, UINT how, const RECT* area, UINT count,
                                          const HWND* windows);
extern TileWindowsFunction tileEntryWindows;
