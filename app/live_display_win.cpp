// Redrawing the live display: into the off-screen bitmap, then shown by the paint handler.
#include "app/main_window.h"
#include "display/draw_panel.h"

void RedrawLiveDisplay(unsigned char full) {
    if (!offscreenDc) return;
    DrawPanel(offscreenDc, &liveHistory, full);
    if (mainWindow) InvalidateRect(mainWindow, NULL, FALSE);
}
