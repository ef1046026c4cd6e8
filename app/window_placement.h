// Where the main window opens: its saved frame moved and shrunk into the work area.
#pragma once
#include "settings/settings.h"

struct WindowPlacement {
    int left, top, width, height;
};

WindowPlacement PlaceInWorkArea(const SettingsRect& saved, const SettingsRect& workArea);
