// The list pane's focus, left clicks and keys, handed to the selection model.
#include "log/log_list_pane.h"
#include "log/log_list_selection.h"

void OnLogFocus(HWND pane, bool gained) {
    logList.focusLost = !gained;
    InvalidateListArea(pane);
}

void OnLogLeftButtonDown(HWND pane, WPARAM flags, LPARAM point) {
    // A click into the log takes the keys back, as clicking into any list does.
    if (GetFocus() != pane) SetFocus(pane);
    // Mouse coordinates are read as unsigned 16-bit client values.
    int row = RowAtPoint(LOWORD(point), HIWORD(point));
    LeftClickRow(row, (flags & MK_CONTROL) != 0, (flags & MK_SHIFT) != 0);
    InvalidateListArea(pane);
}

static bool Held(int key) {
    return GetKeyState(key) < 0;
}

void OnLogKeyDown(HWND pane, WPARAM key) {
    CaretKey caretKey;
    switch (key) {
    case VK_RETURN: SendMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0); return;
    case VK_DELETE: SendMessageA(pane, WM_COMMAND, IDM_LOG_DELETE, 0); return;
    case VK_SPACE:
        SpaceKey(Held(VK_CONTROL));
        InvalidateListArea(pane);
        return;
    case VK_HOME: caretKey = CARET_HOME; break;
    case VK_END: caretKey = CARET_END; break;
    case VK_PRIOR: caretKey = CARET_PAGE_UP; break;
    case VK_NEXT: caretKey = CARET_PAGE_DOWN; break;
    case VK_UP: caretKey = CARET_UP; break;
    case VK_DOWN: caretKey = CARET_DOWN; break;
    default: return;
    }
    InvalidateListArea(pane);
    int top = MoveCaret(caretKey, Held(VK_CONTROL), Held(VK_SHIFT));
    if (top >= 0) SendMessageA(pane, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
}
