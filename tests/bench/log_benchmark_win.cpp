// How long opening the rowing log over 5000 row files takes (scan, natural widths, sort,
// first paint), and the worst-case sort (5000 rows tied on both compare columns), as shares
// of the 250 ms poll tick. Not a test. Usage: log_benchmark_win.exe [rounds]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "log/log_catalog.h"
#include "log/log_list_sort.h"
#include "log/log_list_state.h"
#include "log/log_window.h"
#include "settings/settings.h"

namespace {

const double TICK_MS = 250.0;
const int FILES = MAX_LOG_ENTRIES;

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * count.QuadPart / frequency.QuadPart;
}

// 5000 finished workouts of 60 strokes each in a folder of their own.
void WriteRowFiles() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%stamsi-log-benchmark", path);
    snprintf(path, sizeof path, "%s\\data", baseDirectory);
    CreateDirectoryA(baseDirectory, NULL);
    CreateDirectoryA(path, NULL);
    for (int i = 0; i < FILES; i++) {
        snprintf(path, sizeof path, "%s\\data\\%i.csv", baseDirectory, 1199145600 + i * 3600);
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) continue;
        FILE* file = fopen(path, "w");
        fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n");
        for (int k = 1; k <= 60; k++)
            fprintf(file, "%i,%.1f,0.210,%i,%i,28,150\n", k * 210, k * 10.0 + i % 7, 200 + k % 9,
                    k);
        fclose(file);
    }
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The catalog a scan would give, for a build whose scan is not there yet.
void FillCatalogIfEmpty() {
    if (logEntryCount > 0) return;
    logEntryCount = FILES;
    for (int i = 1; i <= FILES; i++)
        logEntries[i] = {1199145600 + i * 3600, 12600, 60, 10500, 600.0f + i % 7};
    ShowWindow(listWindow, SW_HIDE);
    ShowWindow(listWindow, SW_SHOW);
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 5;
    if (rounds < 1) rounds = 1;
    WriteRowFiles();
    settings.logWindowRect = {10, 30, 610, 700};
    double open = 0, worst = 0, scan = 0;
    bool scanned = true;
    for (int round = 0; round < rounds; round++) {
        double start = Now();
        ScanLogCatalog();
        scan += Now() - start;
        start = Now();
        OpenRowingLog();
        scanned = logEntryCount > 0;
        FillCatalogIfEmpty();
        UpdateWindow(listWindow);
        open += Now() - start;
        DestroyWindow(GetParent(listWindow));
        Pump();

        for (int i = 1; i <= FILES; i++) logEntries[i] = {1, 100, 5, 100, 500.0f};
        for (int r = 0; r < FILES; r++) logList.displayOrder[r] = r + 1;
        logList.sortKey = 6;
        start = Now();
        SortDisplayOrder(logList.displayOrder, 0, FILES - 1);
        worst += Now() - start;
        logList.sortKey = 0;
    }
    open /= rounds;
    worst /= rounds;
    scan /= rounds;
    printf("Opening the log over %i row files%s: %.1f ms = %.2f ticks (goal: within 4)\n", FILES,
           scanned ? "" : " (scan not built yet: catalog filled directly)", open, open / TICK_MS);
    printf("  of which the scan of the row files: %.1f ms = %.2f ticks\n", scan, scan / TICK_MS);
    printf("Worst-case sort of %i tied rows: %.1f ms = %.2f ticks\n", FILES, worst,
           worst / TICK_MS);
    return 0;
}
