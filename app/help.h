// Help Topics: the help file's contents in the system's HTML Help viewer.
#pragma once
#include <windows.h>

void OpenHelpTopics(HWND owner);
