// How long the rowing log takes to read its row files: the catalog scan of 5000 row files
// against a bare loop that only opens each file, seeks 100 bytes before its end and reads
// them (as a ratio, same run), and loading one 20000-line row file as a share of the
// 250 ms poll tick. Not a test.
// Usage: log_catalog_benchmark_win.exe [files] [rounds]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "log/log_catalog.h"
#include "log/row_file_loader.h"
#include "monitor/stroke_history.h"

namespace {

const double TICK_MS = 250.0;
const int STROKES_PER_FILE = 220;  // a 2000 m piece
const int32_t FIRST_START = 1200000000;

double NowMs() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * (double)now.QuadPart / (double)frequency.QuadPart;
}

std::string DataFolder() {
    return std::string(baseDirectory) + "\\data";
}

void WriteRowFile(int32_t startTime, int strokes) {
    std::string path = DataFolder() + "\\" + std::to_string(startTime) + ".csv";
    FILE* file = fopen(path.c_str(), "w");
    if (file == NULL) return;
    fputs("Time,Distance,Pace,Watts,Cals,SPM,HR\n", file);
    for (int k = 1; k <= strokes; ++k)
        fprintf(file, "%i,%.1f,%.3f,%i,%i,%i,%i\n", 191 * k, 9.1 * k, 0.21 + (k % 7) / 1000.0,
                250 + k % 40, k / 2, 28 + k % 3, 140 + k % 20);
    fclose(file);
}

// The same file work as the scan, without the enumeration, the name check and the parse.
size_t BareLoop(const std::vector<std::string>& paths) {
    size_t total = 0;
    for (const std::string& path : paths) {
        FILE* file = fopen(path.c_str(), "r");
        if (file == NULL) continue;
        char tail[LOG_TAIL_SIZE];
        fseek(file, -LOG_TAIL_SIZE, SEEK_END);
        total += fread(tail, 1, sizeof tail, file);
        fclose(file);
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    int files = argc > 1 ? atoi(argv[1]) : MAX_LOG_ENTRIES;
    int rounds = argc > 2 ? atoi(argv[2]) : 5;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%stamsi-log-benchmark", temp);
    CreateDirectoryA(baseDirectory, NULL);
    CreateDirectoryA(DataFolder().c_str(), NULL);

    std::vector<std::string> paths;
    for (int k = 0; k < files; ++k) {
        std::string path = DataFolder() + "\\" + std::to_string(FIRST_START + k) + ".csv";
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            WriteRowFile(FIRST_START + k, STROKES_PER_FILE);
        paths.push_back(path);
    }

    // Alternating rounds, best of each, so that both see the same warm file cache.
    double bestScan = 1e30, bestBare = 1e30;
    for (int round = 0; round < rounds; ++round) {
        double start = NowMs();
        ScanLogCatalog();
        double scan = NowMs() - start;
        start = NowMs();
        size_t read = BareLoop(paths);
        double bare = NowMs() - start;
        if (scan < bestScan) bestScan = scan;
        if (bare < bestBare) bestBare = bare;
        if (read == 0 || logEntryCount != (files < MAX_LOG_ENTRIES ? files : MAX_LOG_ENTRIES)) {
            printf("Unexpected: %i entries, %u bytes read\n", (int)logEntryCount, (unsigned)read);
            return 1;
        }
    }
    printf(
        "Catalog scan of %i row files: %.1f ms; bare open/seek/read loop: %.1f ms; "
        "ratio %.2f (goal at most 2)\n",
        files, bestScan, bestBare, bestScan / bestBare);

    const int32_t longStart = FIRST_START - 1;
    WriteRowFile(longStart, MAX_SAMPLES);
    StrokeHistory* history = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
    double bestLoad = 1e30;
    for (int round = 0; round < rounds; ++round) {
        history->startTime = longStart;
        double start = NowMs();
        bool loaded = LoadRowFile(history);
        double load = NowMs() - start;
        if (!loaded || history->lastSample != LAST_SAMPLE_INDEX) {
            printf("Unexpected: the long file did not load whole\n");
            return 1;
        }
        if (load < bestLoad) bestLoad = load;
    }
    free(history);
    printf("Loading a row file of %i data lines: %.1f ms, %.1f%% of the %.0f ms poll tick\n",
           MAX_SAMPLES, bestLoad, 100.0 * bestLoad / TICK_MS, TICK_MS);
    return 0;
}
