// The frame to remember for a window, minimised or not.
#include "app/restored_frame.h"

// The placement's normal frame is in work-area coordinates; the settings file holds screen
// coordinates.
bool RestoredFrame(HWND window, RECT* frame) {
    if (!IsIconic(window)) return GetWindowRect(window, frame) != 0;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return false;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    *frame = placement.rcNormalPosition;
    OffsetRect(frame, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
    return true;
}
