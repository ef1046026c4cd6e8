// Start-up: titles, base directory, settings, main window, accelerators, the monitor session,
// the stored language, the first picture and the poll timer, in this order.
#include "app/startup.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program_folder.h"
#include "app/single_instance.h"
#include "display/draw_panel.h"
#include "logbook/online_logbook.h"
#include "monitor/monitor_binding.h"
#include "monitor/monitor_session.h"
#include "monitor/poll_timer.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

bool StartTamsi(HINSTANCE instance, int showState) {
    UseMissingMonitorLibraries();
    LoadStringA(instance, IDS_APP_TITLE, mainWindowTitle, sizeof mainWindowTitle);
    LoadStringA(instance, IDS_WINDOW_CLASS, windowClassName, sizeof windowClassName);
    if (AnotherTamsiRuns(windowClassName)) return false;
    statusLine[0] = '\0';
    ChooseBaseDirectory(GetCommandLineA());
    LoadSettings();

    RegisterMainWindowClass(instance);
    if (!CreateMainWindow(instance, showState)) return false;
    acceleratorTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_TAMSI));

    // A finished workout goes on to the online logbook when the rower asked for that.
    workoutClosedListener = SendFinishedWorkout;
    BindMonitorLibraries();
    OpenMonitorSession();

    // The stored language is sent as its menu command, which loads the texts and marks it.
    if (settings.languageCommand == 0) settings.languageCommand = IDM_ENGLISH;
    SendMessageA(mainWindow, WM_COMMAND, LOWORD(settings.languageCommand), 0);

    DrawPanel(offscreenDc, &liveHistory, 1);
    InvalidateRect(mainWindow, NULL, FALSE);
    SetTimer(mainWindow, POLL_TIMER_ID, POLL_PERIOD_MS, PollMonitor);
    return true;
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (!TranslateAcceleratorA(message.hwnd, acceleratorTable, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return (int)message.wParam;
}
