// Reading the simulated monitor's transcript: one call per line, the operation first, CSAFE
// requests and responses as bracketed hex bytes.
#pragma once
#include <string>
#include <vector>

struct TranscriptCall {
    std::string operation;
    std::string line;
    int status = 0;                  // the number after "->"
    std::vector<unsigned> request;   // first bracketed list
    std::vector<unsigned> response;  // second bracketed list (CSAFE command only)
};

std::vector<TranscriptCall> ReadTranscript(const std::string& path);

bool IsCounterPoll(const TranscriptCall& call);
bool IsStrokePoll(const TranscriptCall& call);

// Work time (hundredths) and distance (tenths of a metre) a counter poll was answered with.
struct CounterReading {
    long time, tenths;
};
// False for any call that is not an answered counter poll.
bool ReadCounters(const TranscriptCall& call, CounterReading* reading);
