// Windows display tests: a top-level window standing in for the main window (only its client
// size matters) and a white 32-bit memory bitmap whose pixels the tests read directly.
#pragma once
#include <windows.h>

#include <vector>

#include "app/main_window.h"

// A hidden pop-up window, so that its client rectangle is exactly the size asked for; it
// becomes `mainWindow` for the test's life.
class StandInMainWindow {
public:
    StandInMainWindow(int clientWidth, int clientHeight) : saved(mainWindow) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "DisplayTestWindow";
        RegisterClassA(&windowClass);  // fails harmlessly once registered
        window = CreateWindowExA(0, "DisplayTestWindow", "", WS_POPUP, 0, 0, clientWidth,
                                 clientHeight, NULL, NULL, GetModuleHandleA(NULL), NULL);
        mainWindow = window;
    }
    ~StandInMainWindow() {
        mainWindow = saved;
        DestroyWindow(window);
    }
    HWND window;

private:
    HWND saved;
};

class TestBitmap {
public:
    explicit TestBitmap(int w = 1920, int h = 1200, COLORREF fill = RGB(255, 255, 255))
        : width(w), height(h) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down: row y starts at y * width
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(NULL);
        void* memory = NULL;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, NULL, 0);
        bits = static_cast<DWORD*>(memory);
        original = SelectObject(dc, bitmap);
        Fill(fill);
    }
    ~TestBitmap() {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(COLORREF colour) {
        GdiFlush();
        for (int i = 0; i < width * height; ++i) bits[i] = ToPixel(colour);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        return Pixel(x, y);
    }
    // Pixels in [left, right) x [top, bottom) that match.
    template <typename Match>
    int Count(int left, int top, int right, int bottom, Match match) const {
        GdiFlush();
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (match(Pixel(x, y))) ++n;
        return n;
    }
    int CountColour(int left, int top, int right, int bottom, COLORREF colour) const {
        return Count(left, top, right, bottom, [colour](COLORREF c) { return c == colour; });
    }
    int CountNonWhite(int left, int top, int right, int bottom) const {
        return Count(left, top, right, bottom, [](COLORREF c) { return c != RGB(255, 255, 255); });
    }
    // Leftmost column in [left, right) with a non-white pixel in rows [top, bottom), or -1.
    int FirstInkColumn(int left, int top, int right, int bottom) const {
        for (int x = left; x < right; ++x)
            if (CountNonWhite(x, top, x + 1, bottom) > 0) return x;
        return -1;
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
    COLORREF Pixel(int x, int y) const {
        DWORD p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    static DWORD ToPixel(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HGDIOBJ original;
};
