// The main window: its class, its place on the screen, and its window procedure, which
// keeps the off-screen bitmap, paints from it and hands commands to the command table.
#include "app/main_window.h"

#include "app/commands.h"
#include "app/restored_frame.h"
#include "app/window_placement.h"
#include "display/draw_panel.h"
#include "logbook/online_logbook.h"
#include "monitor/monitor_api.h"
#include "monitor/recorder.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "upload/upload_results.h"

static const int OFFSCREEN_MIN_WIDTH = 1920;
static const int OFFSCREEN_MIN_HEIGHT = 1200;
// Set once the shut-down work of this window has run (see ShutDown).
static bool shutDownDone = false;

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAMSI));
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDC_TAMSI);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExA(&windowClass);
}

HBITMAP CreateOffscreenBitmap(HDC reference, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = NULL;
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
    // Drawn by GDI alone, a bitmap like the screen's shows the same picture.
    return bitmap != NULL ? bitmap : CreateCompatibleBitmap(reference, width, height);
}

static SettingsRect WorkArea() {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    SettingsRect rect = {area.left, area.top, area.right, area.bottom};
    return rect;
}

bool CreateMainWindow(HINSTANCE instance, int showState) {
    moduleInstance = instance;
    WindowPlacement place = PlaceInWorkArea(settings.mainWindowRect, WorkArea());
    HWND window =
        CreateWindowExA(0, windowClassName, mainWindowTitle, WS_OVERLAPPEDWINDOW, place.left,
                        place.top, place.width, place.height, NULL, NULL, instance, NULL);
    if (!window) return false;
    ShowWindow(window, showState);
    UpdateWindow(window);
    mainWindow = window;
    return true;
}

// The bitmap covers at least 1920 x 1200 and the whole desktop, so even a window
// maximised on a large screen shows only what was drawn.
static void OnCreate(HWND window) {
    shutDownDone = false;
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width < OFFSCREEN_MIN_WIDTH) width = OFFSCREEN_MIN_WIDTH;
    if (height < OFFSCREEN_MIN_HEIGHT) height = OFFSCREEN_MIN_HEIGHT;

    HDC windowDc = GetDC(window);
    offscreenDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateOffscreenBitmap(windowDc, width, height);
    SelectObject(offscreenDc, bitmap);
    SelectObject(offscreenDc, GetStockObject(WHITE_BRUSH));
    PatBlt(offscreenDc, 0, 0, width, height, PATCOPY);
    ReleaseDC(window, windowDc);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, offscreenDc, paint.rcPaint.left,
           paint.rcPaint.top, SRCCOPY);
    EndPaint(window, &paint);
}

static void OnSize(HWND window) {
    DrawPanel(offscreenDc, &liveHistory, 1);
    InvalidateRect(window, NULL, FALSE);
}

// Saving the settings, closing the row file's stream and ending the monitor link. Runs
// once: at the end of a Windows session the process is ended after WM_ENDSESSION without a
// destroy, and a destroy that does follow must not save a second time.
static void ShutDown(HWND window) {
    if (shutDownDone) return;
    shutDownDone = true;
    RECT frame;
    if (RestoredFrame(window, &frame)) {
        settings.mainWindowRect.left = frame.left;
        settings.mainWindowRect.top = frame.top;
        settings.mainWindowRect.right = frame.right;
        settings.mainWindowRect.bottom = frame.bottom;
    }
    StopUpload();  // before the save, which then holds what the server took
    StopLogbook();
    SaveSettings();
    CloseRowFileStream();
    if (monitorApi.ddiShutdown) monitorApi.ddiShutdown(0);
}

static void OnDestroy(HWND window) {
    ShutDown(window);
    PostQuitMessage(0);
}

static void OnEndSession(HWND window, bool ending) {
    if (ending) ShutDown(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_SIZE: OnSize(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam != 0); return 0;
    case WM_COMMAND:
        if (RunMenuCommand(window, LOWORD(wParam))) return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
