// How long a live redraw takes: a 20000-stroke workout with all four graphs and a pace boat,
// drawn into a 1920 x 1200 off-screen bitmap, as a share of the 250 ms poll tick. Not a test.
// Usage: display_benchmark_win.exe [rounds] [picture.bmp]
#include <windows.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/main_window.h"
#include "boat/boat_race.h"
#include "display/draw_panel.h"
#include "monitor/stroke_history.h"
#include "settings/settings.h"
#include "settings/text_table.h"

namespace {

const int BITMAP_WIDTH = 1920;
const int BITMAP_HEIGHT = 1200;
const double TICK_MS = 250.0;

void SetUpTexts() {
    const char* texts[] = {"Waiting",    "Waiting",  "Driving", "Dwelling",    "Recovery",
                           "Time",       "Distance", "Pace",    "Stroke Rate", "Strokes",
                           "Heart Rate", "DPS",      "Power",   "Cals",        "State"};
    for (int i = 0; i < 15; ++i) strcpy(textTable[TEXT_STATE_FIRST + i], texts[i]);
    const char* units[] = {"m", "/500m", "s/m", "bpm", "m", "watt", "kcal"};
    for (int i = 0; i < 7; ++i) strcpy(textTable[TEXT_UNIT_DISTANCE + i], units[i]);
    strcpy(textTable[TEXT_BOAT], "Boat");
}

void SetUpSettings() {
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 1;
    settings.powerMin = 0;
    settings.powerMax = 250;
    settings.strokeRateMin = 0;
    settings.strokeRateMax = 40;
    settings.paceMin = 0;
    settings.paceMax = 5;
    settings.heartRateMin = 0;
    settings.heartRateMax = 200;
}

// A long steady piece with some wobble, so that the lines go up and down at every stroke.
void FillWorkout(StrokeHistory& h) {
    srand(1);
    h.lastSample = LAST_SAMPLE_INDEX;
    h.heartRateCount = MAX_SAMPLES;
    for (int k = 0; k < MAX_SAMPLES; ++k) {
        double wave = sin(k / 150.0);
        h.power[k] = 180 + (int)(40 * wave) + rand() % 30;
        h.strokeRate[k] = 26 + (int)(3 * wave) + rand() % 3;
        h.pace[k] = 1.0 / (3.8 + 0.4 * wave + (rand() % 100) / 500.0);
        h.heartRate[k] = 150 + (int)(10 * wave) + rand() % 5;
    }
    // A pace boat racing it, a little slower, with its own stroke-to-stroke wobble.
    boatRace.racing = true;
    for (int k = 0; k < MAX_SAMPLES; ++k)
        boatRace.boatPace[k] = 1.0 / (3.7 + 0.3 * sin(k / 170.0) + (rand() % 100) / 600.0);
    boatRace.gap = -12.3;
    h.workTime = 720000;
    h.distance = 10000.0;
    h.distancePerStroke = 9.8;
    h.calories = 700;
    h.strokeState = 4;
}

// Wall time per redraw (mean, median, fastest) and the thread's processor time per redraw;
// on a busy machine the fastest round and the processor time are the steadier figures.
struct Timing {
    double meanMs, medianMs, fastestMs, processorMs;
};

double ThreadProcessorMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 10000.0;  // 100 ns units
}

int CompareDoubles(const void* a, const void* b) {
    double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

Timing Measure(HDC dc, StrokeHistory& h, unsigned char full, int rounds) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double* times = static_cast<double*>(malloc(sizeof(double) * rounds));
    double total = 0;
    double processorStart = ThreadProcessorMs();
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        DrawPanel(dc, &h, full);
        GdiFlush();
        QueryPerformanceCounter(&end);
        times[i] = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
        total += times[i];
    }
    Timing timing;
    timing.processorMs = (ThreadProcessorMs() - processorStart) / rounds;
    qsort(times, rounds, sizeof(double), CompareDoubles);
    timing.meanMs = total / rounds;
    timing.medianMs = times[rounds / 2];
    timing.fastestMs = times[0];
    free(times);
    return timing;
}

void Report(const char* what, const Timing& t) {
    printf(
        "%s: mean %.2f ms (%.2f%% of the %.0f ms tick), median %.2f ms (%.2f%%), "
        "fastest %.2f ms (%.2f%%), processor %.2f ms (%.2f%%)\n",
        what, t.meanMs, 100.0 * t.meanMs / TICK_MS, TICK_MS, t.medianMs,
        100.0 * t.medianMs / TICK_MS, t.fastestMs, 100.0 * t.fastestMs / TICK_MS, t.processorMs,
        100.0 * t.processorMs / TICK_MS);
}

bool SaveBitmap(HDC dc, HBITMAP bitmap, const char* path) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = BITMAP_WIDTH;
    info.bmiHeader.biHeight = BITMAP_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD rowBytes = (BITMAP_WIDTH * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * BITMAP_HEIGHT;
    void* pixels = malloc(imageBytes);
    if (pixels == NULL) return false;
    GetDIBits(dc, bitmap, 0, BITMAP_HEIGHT, pixels, &info, DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    FILE* out = fopen(path, "wb");
    bool ok = out != NULL;
    if (ok) {
        ok = fwrite(&file, sizeof file, 1, out) == 1 &&
             fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             fwrite(pixels, imageBytes, 1, out) == 1;
        ok = fclose(out) == 0 && ok;
    }
    free(pixels);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 40;
    if (rounds < 1) rounds = 1;
    SetUpTexts();
    SetUpSettings();
    StrokeHistory& workout = liveHistory;  // the boat races only the live workout
    FillWorkout(workout);

    // The panel measures the main window; as wide as the bitmap, the graph is largest.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "DisplayBenchmark";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "DisplayBenchmark", "", WS_POPUP, 0, 0, BITMAP_WIDTH,
                                 BITMAP_HEIGHT, NULL, NULL, windowClass.hInstance, NULL);
    if (mainWindow == NULL) {
        fprintf(stderr, "no window (is there a display?)\n");
        return 1;
    }
    // The same kind of bitmap the main window keeps.
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateOffscreenBitmap(screen, BITMAP_WIDTH, BITMAP_HEIGHT);
    ReleaseDC(NULL, screen);
    HGDIOBJ original = SelectObject(dc, bitmap);

    Measure(dc, workout, 1, 3);  // warm up fonts and caches
    printf("samples %d, rounds %d\n", MAX_SAMPLES, rounds);
    Report("full redraw (numbers, four graphs and a boat)", Measure(dc, workout, 1, rounds));
    Report("numbers-only redraw", Measure(dc, workout, 0, rounds));

    int result = 0;
    if (argc > 2) {
        DrawPanel(dc, &workout, 1);
        if (!SaveBitmap(dc, bitmap, argv[2])) {
            fprintf(stderr, "could not write %s\n", argv[2]);
            result = 1;
        }
    }
    SelectObject(dc, original);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyWindow(mainWindow);
    return result;
}
