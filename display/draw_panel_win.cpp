// The display panel: the numbers, the status line and the units, with the strip graph
// below, drawn into any device context under one isotropic mapping.
#include <string.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "boat/boat_race.h"
#include "display/draw_panel.h"
#include "display/panel_geometry.h"
#include "settings/settings.h"
#include "settings/text_table.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF STATUS_COLOUR = RGB(255, 0, 0);
const COLORREF UNIT_COLOUR = RGB(153, 153, 153);
const COLORREF AHEAD_COLOUR = RGB(0, 136, 0);
const COLORREF BEHIND_COLOUR = RGB(255, 0, 0);

// Fonts are made and deleted on every call: the panel keeps no state between calls.
HFONT CreatePanelFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       "Arial");
}

// The window that owns the target, or the main window for the off-screen bitmap. False when
// there is none yet (still being created) or it is too narrow. A printer page is sized by the
// page alone: a minimised main window must not leave the page blank.
bool MeasureTarget(HDC target, RECT* client) {
    *client = RECT{};
    if (GetDeviceCaps(target, PHYSICALWIDTH) != 0) return true;
    HWND window = WindowFromDC(target);
    if (window == NULL) window = mainWindow;
    if (window == NULL || !GetClientRect(window, client)) return false;
    return client->right - client->left >= PANEL_MIN_WINDOW_WIDTH;
}

// The main window makes its off-screen bitmap at least as large as the desktop, so that a
// window stretched over several monitors shows no stale pixels; a full redraw therefore
// clears the whole bitmap (or desktop), not only the first 1920 x 1200 pixels.
void ClearWholeTarget(HDC target) {
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    if (GetObjectType(target) == OBJ_MEMDC) {
        BITMAP bitmap;
        HGDIOBJ selected = GetCurrentObject(target, OBJ_BITMAP);
        if (selected != NULL && GetObject(selected, sizeof bitmap, &bitmap) != 0) {
            bitmapWidth = bitmap.bmWidth;
            bitmapHeight = bitmap.bmHeight;
        }
    }
    PanelSize size = FullClearSize(bitmapWidth, bitmapHeight, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CYVIRTUALSCREEN));
    SelectObject(target, GetStockObject(WHITE_BRUSH));
    PatBlt(target, 0, 0, size.width, size.height, PATCOPY);
}

// 800 logical units across the target; 560 high with graphs, 240 without.
void SetPanelMapping(HDC target, const RECT& client) {
    PanelSize size = PanelDrawingSize(
        client.right, client.bottom, GetDeviceCaps(target, PHYSICALWIDTH),
        GetDeviceCaps(target, PHYSICALHEIGHT), GetDeviceCaps(target, PHYSICALOFFSETX),
        GetDeviceCaps(target, PHYSICALOFFSETY));
    SetMapMode(target, MM_ISOTROPIC);
    SetWindowExtEx(target, PANEL_LOGICAL_WIDTH / 2, PanelLogicalHeight(settings) / 2, NULL);
    SetViewportExtEx(target, size.width / 2, size.height / 2, NULL);
}

int TextLength(const char* text, size_t capacity) {
    return (int)strnlen(text, capacity);
}

// Each line starts at its own place; its end is where its unit goes.
void DrawLines(HDC target, const PanelLine* lines, int count, POINT* ends) {
    SetTextAlign(target, TA_UPDATECP);
    for (int i = 0; i < count; ++i) {
        MoveToEx(target, lines[i].x, lines[i].y, NULL);
        TextOutA(target, 0, 0, lines[i].text, TextLength(lines[i].text, sizeof lines[i].text));
        GetCurrentPositionEx(target, &ends[i]);
    }
    SetTextAlign(target, TA_LEFT | TA_TOP);
}

void DrawStatusLine(HDC target) {
    RECT area = {STATUS_LEFT, STATUS_TOP, STATUS_RIGHT, STATUS_BOTTOM};
    SetTextColor(target, STATUS_COLOUR);
    // Monitor error texts are shown as they are: no word wrap, no '&' mnemonics.
    DrawTextA(target, statusLine, TextLength(statusLine, sizeof statusLine), &area,
              DT_LEFT | DT_TOP | DT_NOPREFIX);
    SetTextColor(target, BLACK);
}

void DrawUnits(HDC target, const PanelLine* lines, int count, const POINT* ends) {
    SetTextColor(target, UNIT_COLOUR);
    for (int i = 0; i < count; ++i) {
        if (lines[i].unitText == NO_UNIT) continue;
        const char* unit = textTable[lines[i].unitText];
        TextOutA(target, ends[i].x + UNIT_GAP, lines[i].unitY, unit,
                 TextLength(unit, TEXT_SLOT_SIZE));
    }
    SetTextColor(target, BLACK);
}

// The gap to the pace boat, right-aligned under the numbers where partial redraws reach.
void DrawBoatGap(HDC target) {
    char gap[PANEL_LINE_TEXT_SIZE];
    bool ahead = true;
    if (!FormatBoatGap(gap, sizeof gap, &ahead)) return;
    SetTextAlign(target, TA_RIGHT | TA_TOP);
    SetTextColor(target, ahead ? AHEAD_COLOUR : BEHIND_COLOUR);
    TextOutA(target, BOAT_GAP_RIGHT, BOAT_GAP_TOP, gap, TextLength(gap, sizeof gap));
    SetTextAlign(target, TA_LEFT | TA_TOP);
}

}  // namespace

void DrawPanel(HDC target, const StrokeHistory* history, unsigned char full) {
    RECT client;
    if (target == NULL || history == NULL || !MeasureTarget(target, &client)) return;
    if (full) ClearWholeTarget(target);
    SetPanelMapping(target, client);
    if (!full) {
        SelectObject(target, GetStockObject(WHITE_BRUSH));
        PatBlt(target, 0, 0, NUMBERS_AREA_WIDTH, NUMBERS_AREA_HEIGHT, PATCOPY);
    }

    HFONT valueFont = CreatePanelFont(VALUE_FONT_HEIGHT);
    HGDIOBJ originalFont = SelectObject(target, valueFont);
    PanelLine lines[MAX_PANEL_LINES];
    POINT ends[MAX_PANEL_LINES];
    int count = FormatPanelLines(*history, lines);
    DrawLines(target, lines, count, ends);

    HFONT labelFont = CreatePanelFont(LABEL_FONT_HEIGHT);
    SelectObject(target, labelFont);
    DeleteObject(valueFont);
    if (!UseSummaryLayout(*history)) DrawStatusLine(target);
    GraphPlacement graph = PanelGraphPlacement(*history, full != 0);
    if (graph.draw)
        DrawStripGraph(target, history, graph.left, graph.top, graph.right, graph.height,
                       full != 0);

    HFONT unitFont = CreatePanelFont(UNIT_FONT_HEIGHT);
    SelectObject(target, unitFont);
    DeleteObject(labelFont);
    DrawUnits(target, lines, count, ends);
    if (history == &liveHistory) DrawBoatGap(target);

    SetTextColor(target, BLACK);
    SelectObject(target, originalFont);
    DeleteObject(unitFont);
    SetMapMode(target, MM_TEXT);
}
