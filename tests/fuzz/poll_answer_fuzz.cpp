// Fuzzes the poll's checks of the monitor's answers through whole ticks: a monitor that
// answers anything (short, garbled, wide entries, failures) never makes the recorder step
// outside its record, and every row file it writes reads back line by line.
#include <string.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "fuzz_support.h"
#include "log/row_file_parser.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_answer.h"
#include "monitor/poll_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "monitor/stroke_history.h"

static const uint8_t* input;
static size_t inputLeft;

static uint8_t NextByte() { return inputLeft ? (inputLeft--, *input++) : 0; }

// One answer per call, echoing its request's commands at their places. The head byte says:
// fail the call (0x80), cut the answer short (0x40), and how many single entries to
// overwrite afterwards (low bits), so that wrong codes and wide entries occur too.
static int16_t FuzzedCommand(uint16_t, uint16_t, uint32_t* commands, uint16_t* responseCount,
                             uint32_t* responses) {
    static const int COUNTER_ECHO[][2] = {{0, 0x1A}, {2, 0xA0}, {9, 0xA3}, {16, 0xBF}};
    static const int STROKE_ECHO[][2] = {{0, 0xA6}, {5, 0xB4}, {10, 0xA3}, {14, 0xA7}, {19, 0xB0}};
    uint8_t head = NextByte();
    if (head & 0x80) return (int16_t)(1 + (head & 0x0F));
    bool counters = commands[0] == 0x1A;
    int entries = counters ? COUNTER_ANSWER_ENTRIES : STROKE_ANSWER_ENTRIES;
    for (int k = 0; k < entries; k++) responses[k] = NextByte();
    for (int e = 0; e < (counters ? 4 : 5); e++) {
        const int* echo = counters ? COUNTER_ECHO[e] : STROKE_ECHO[e];
        responses[echo[0]] = (uint32_t)echo[1];
    }
    int cut = head & 0x40 ? NextByte() % (entries + 1) : entries;
    for (int k = cut; k < entries; k++) responses[k] = 0;
    for (int patches = head & 0x07; patches > 0; patches--) {
        int position = NextByte() % CSAFE_RESPONSE_CAPACITY;
        responses[position] = NextByte() | (uint32_t)NextByte() << 8;
    }
    *responseCount = (uint16_t)entries;
    return 0;
}

// Every line after a row file's header must be one the rowing log can read.
static void CheckAndRemoveRowFiles(const std::string& folder) {
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(item.path());
        std::string line;
        RowLine row;
        for (int n = 0; std::getline(file, line); n++)
            if (n > 0 && !ParseRowLine(line.c_str(), &row)) abort();
        std::filesystem::remove(item.path());
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!baseDirectory[0]) {
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", FuzzFolder("poll"));
        monitorApi.csafeCommand = FuzzedCommand;
        monitorApi.csafeGetErrorText = [](int16_t, char* text, uint16_t size) {
            snprintf(text, size, "fuzzed failure");
        };
        rowFileClock = [] { return (int32_t)1700000000; };
    }
    input = data;
    inputLeft = size;
    ResetRecorderState();
    for (int tick = 0; tick < 200 && inputLeft > 0; tick++) {
        // Now and then a workout command has just ended the workout.
        if (NextByte() == 0xC3) newWorkoutPending = true;
        TickResult result = RunPollTick();
        if (result != NoRedraw && result != RedrawNumbers && result != RedrawFull) abort();
        if (liveHistory.lastSample < 0 || liveHistory.lastSample > LAST_SAMPLE_INDEX) abort();
        if (!memchr(statusLine, 0, STATUS_LINE_SIZE)) abort();
    }
    ResetRecorderState();
    CheckAndRemoveRowFiles(std::string(baseDirectory) + "/data");
    return 0;
}
