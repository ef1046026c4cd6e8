// The two poll answers' checks: command codes at their places, one byte per entry.
#include "monitor/poll_answer.h"

struct EchoedCode {
    int position;
    uint32_t code;
};

static const EchoedCode COUNTER_CODES[] = {{0, 0x1A}, {2, 0xA0}, {9, 0xA3}, {16, 0xBF}};
static const EchoedCode STROKE_CODES[] = {{0, 0xA6}, {5, 0xB4}, {10, 0xA3}, {14, 0xA7}, {19, 0xB0}};

template <int N>
static bool Echoes(const uint32_t* response, const EchoedCode (&codes)[N], int entries) {
    // The response buffer is cleared before each poll, so an answer cut short leaves zeros
    // where the later codes belong.
    for (const EchoedCode& echoed : codes) {
        if (response[echoed.position] != echoed.code) return false;
    }
    for (int k = 0; k < entries; k++) {
        if (response[k] > 0xFF) return false;
    }
    return true;
}

bool IsCounterPollAnswer(const uint32_t* response) {
    return Echoes(response, COUNTER_CODES, COUNTER_ANSWER_ENTRIES);
}

bool IsStrokePollAnswer(const uint32_t* response) {
    return Echoes(response, STROKE_CODES, STROKE_ANSWER_ENTRIES);
}
