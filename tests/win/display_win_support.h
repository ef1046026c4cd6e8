// Windows display tests: a top-level window standing in for the main window (only its client
// size matters) and a white 32-bit memory bitmap whose pixels the tests read directly.
#pragma once
#include <windows.h>

#include <vector>

#include "app/main_window.h"

// A hidden pop-up window of exactly the client size asked for; `mainWindow` while it lives.
class StandInMainWindow {
public:
    StandInMainWindow(int clientWidth, int clientHeight) : saved(mainWindow) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "DisplayTestWindow";
        RegisterClassA(&windowClass);  // fails harmlessly once registered
        mainWindow = CreateWindowExA(0, "DisplayTestWindow", "", WS_POPUP, 0, 0, clientWidth,
                                     clientHeight, NULL, NULL, GetModuleHandleA(NULL), NULL);
    }
    ~StandInMainWindow() {
        DestroyWindow(mainWindow);
        mainWindow = saved;
    }

private:
    HWND saved;
};

class TestBitmap {
public:
    explicit TestBitmap(int w = 1920, int h = 1200) : width(w), height(h) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(NULL);
        void* memory = NULL;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, NULL, 0);
        bits = static_cast<DWORD*>(memory);
        original = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    ~TestBitmap() {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // Pixels of the colour in [left, right) x [top, bottom).
    int CountColour(int left, int top, int right, int bottom, COLORREF colour) const {
        GdiFlush();
        const DWORD pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += (bits[y * width + x] & 0xFFFFFF) == pixel;
        return n;
    }
    // A copy of rows [top, bottom), to compare before and after a redraw.
    std::vector<DWORD> Rows(int top, int bottom) const {
        GdiFlush();
        return std::vector<DWORD>(bits + top * width, bits + bottom * width);
    }

    int width, height;
    HDC dc;
    HBITMAP bitmap;
    DWORD* bits;

private:
    HGDIOBJ original;
};
