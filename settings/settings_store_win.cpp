// Tamsi.ini in the base directory: read once at start-up, written once at shut-down.
#include "settings/settings_store.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "settings/settings_file.h"
#include "settings/settings_store_win.h"
#include "settings/text_table.h"

int(WINAPI* settingsMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = MessageBoxA;

void LoadSettings() {
    char path[SETTINGS_PATH_SIZE];
    if (FormatSettingsPath(path, sizeof(path), baseDirectory) && ReadSettingsFile(path, &settings))
        return;
    RECT workArea = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    SettingsRect area = {workArea.left, workArea.top, workArea.right, workArea.bottom};
    ApplyDefaultSettings(&settings, area);
}

void SaveSettings() {
    char path[SETTINGS_PATH_SIZE];
    bool saved =
        FormatSettingsPath(path, sizeof(path), baseDirectory) && WriteSettingsFile(path, settings);
    if (!saved)
        settingsMessageBox(mainWindow, path, textTable[TEXT_SETTINGS_SAVE_FAILED],
                           MB_OK | MB_ICONWARNING);
}
