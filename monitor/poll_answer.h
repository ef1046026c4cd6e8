// Checking a monitor's answer to the two polls before its values are used: a short or
// garbled answer must not be read as counters of zero or as a stroke.
#pragma once
#include <stdint.h>

// Entries the checks read; the response buffer must hold at least this many.
const int COUNTER_ANSWER_ENTRIES = 19;
const int STROKE_ANSWER_ENTRIES = 22;

// Whether the answer to the counter poll echoes its commands at their places (r[0] 0x1A,
// r[2] 0xA0, r[9] 0xA3, r[16] 0xBF) and every entry read holds one byte.
bool IsCounterPollAnswer(const uint32_t* response);
// Whether the answer to the stroke poll echoes its commands at their places (r[0] 0xA6,
// r[5] 0xB4, r[10] 0xA3, r[14] 0xA7, r[19] 0xB0) and every entry read holds one byte.
bool IsStrokePollAnswer(const uint32_t* response);
