// Opens Tamsi.chm from the program's folder. The old WinHelp engine for .hlp files is gone from
// current Windows, so the help ships as compiled HTML and is shown by hhctrl.ocx, which is
// loaded at run time: a missing viewer then costs the help, not the program's start.
#include "app/help.h"

#include <stdio.h>

#include "app/app_state.h"

typedef HWND(WINAPI* HtmlHelpFn)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

static const UINT HH_DISPLAY_TOC_COMMAND = 0x0001;

void OpenHelpTopics(HWND owner) {
    char path[BASE_DIRECTORY_SIZE + 16];
    snprintf(path, sizeof path, "%s\\Tamsi.chm", programDirectory);

    static HMODULE viewer = LoadLibraryA("hhctrl.ocx");
    HtmlHelpFn htmlHelp = viewer ? reinterpret_cast<HtmlHelpFn>(
                                       reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")))
                                 : NULL;
    if (!htmlHelp || !htmlHelp(owner, path, HH_DISPLAY_TOC_COMMAND, 0)) {
        char message[BASE_DIRECTORY_SIZE + 64];
        snprintf(message, sizeof message, "Couldn't open the help file %s", path);
        MessageBoxA(owner, message, "Error", MB_OK | MB_ICONWARNING);
    }
}
