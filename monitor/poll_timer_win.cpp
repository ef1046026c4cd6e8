// The 250 ms timer callback: one tick of the poll, then the redraw it asks for.
#include "monitor/poll_timer.h"

#include "app/main_window.h"
#include "monitor/poll_state.h"
#include "monitor/recorder.h"

void CALLBACK PollMonitor(HWND, UINT, UINT_PTR, DWORD) {
    // A monitor command is talking to the monitor: no request, no drawing.
    if (monitorBusy) return;
    TickResult result = RunPollTick();
    if (result == NoRedraw) return;
    RedrawLiveDisplay(result == RedrawFull ? 1 : 0);
}
