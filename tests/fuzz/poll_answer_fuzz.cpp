// Fuzzes the poll's checks of the monitor's answers through whole ticks: a monitor that
// answers anything (short, garbled, wide entries, failures) never makes the recorder step
// outside its record, and every row file it writes reads back line by line.
#include <dirent.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/app_state.h"
#include "log/row_file_parser.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "monitor/stroke_history.h"

static const uint8_t* input;
static size_t inputLeft;
static char dataFolder[BASE_DIRECTORY_SIZE + 8];

static uint8_t NextByte() {
    if (inputLeft == 0) return 0;
    inputLeft--;
    return *input++;
}

// Where each answer echoes its request's commands; everything else comes from the input.
struct Echo {
    int position;
    uint32_t code;
};
static const Echo COUNTER_ECHO[] = {{0, 0x1A}, {2, 0xA0}, {9, 0xA3}, {16, 0xBF}};
static const Echo STROKE_ECHO[] = {{0, 0xA6}, {5, 0xB4}, {10, 0xA3}, {14, 0xA7}, {19, 0xB0}};

// One answer per call. The head byte says: fail the call (0x80), cut the answer short
// (0x40, at the next byte), and how many single entries to overwrite afterwards (low bits),
// each by a position and a 16-bit value, so that wrong codes and wide entries occur too.
static int16_t FuzzedCommand(uint16_t, uint16_t, uint32_t* commands, uint16_t* responseCount,
                             uint32_t* responses) {
    uint8_t head = NextByte();
    if (head & 0x80) return (int16_t)(1 + (head & 0x0F));
    int entries = 0;
    const Echo* echo = commands[0] == 0x1A ? COUNTER_ECHO : STROKE_ECHO;
    int echoes = commands[0] == 0x1A ? 4 : 5;
    entries = commands[0] == 0x1A ? 19 : 22;
    for (int k = 0; k < entries; k++) responses[k] = NextByte();
    for (int e = 0; e < echoes; e++) responses[echo[e].position] = echo[e].code;
    if (head & 0x40) {
        int cut = NextByte() % (entries + 1);
        for (int k = cut; k < entries; k++) responses[k] = 0;
    }
    for (int patches = head & 0x07; patches > 0; patches--) {
        int position = NextByte() % CSAFE_RESPONSE_CAPACITY;
        responses[position] = NextByte() | (uint32_t)NextByte() << 8;
    }
    *responseCount = (uint16_t)entries;
    return 0;
}

static void ErrorText(int16_t, char* buffer, uint16_t size) {
    snprintf(buffer, size, "fuzzed failure");
}

static int32_t FixedClock() {
    return 1700000000;
}

static void RemoveRowFiles(bool check) {
    DIR* folder = opendir(dataFolder);
    if (!folder) return;
    while (struct dirent* item = readdir(folder)) {
        if (item->d_name[0] == '.') continue;
        std::string path = std::string(dataFolder) + "/" + item->d_name;
        if (check) {
            // Every line after the header must be one the rowing log can read.
            FILE* file = fopen(path.c_str(), "r");
            if (!file) abort();
            char line[ROW_LINE_SIZE];
            bool header = true;
            while (fgets(line, sizeof line, file)) {
                RowLine row;
                if (!header && !ParseRowLine(line, &row)) abort();
                header = false;
            }
            fclose(file);
        }
        unlink(path.c_str());
    }
    closedir(folder);
}

static void RemoveFolders() {
    RemoveRowFiles(false);
    rmdir(dataFolder);
    rmdir(baseDirectory);
}

static void Prepare() {
    const char* top = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s/tamsi-fuzz-poll-%d", top, (int)getpid());
    snprintf(dataFolder, sizeof dataFolder, "%s/data", baseDirectory);
    mkdir(baseDirectory, 0700);
    monitorApi.csafeCommand = FuzzedCommand;
    monitorApi.csafeGetErrorText = ErrorText;
    rowFileClock = FixedClock;
    atexit(RemoveFolders);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool prepared = false;
    if (!prepared) Prepare();
    prepared = true;
    input = data;
    inputLeft = size;
    ResetRecorderState();

    for (int tick = 0; tick < 200 && inputLeft > 0; tick++) {
        // Now and then a workout command has just ended the workout.
        if (NextByte() == 0xC3) newWorkoutPending = true;
        TickResult result = RunPollTick();
        if (result != NoRedraw && result != RedrawNumbers && result != RedrawFull) abort();
        if (liveHistory.lastSample < 0 || liveHistory.lastSample > LAST_SAMPLE_INDEX) abort();
        if (strlen(statusLine) >= STATUS_LINE_SIZE) abort();
    }
    ResetRecorderState();
    RemoveRowFiles(true);
    return 0;
}
