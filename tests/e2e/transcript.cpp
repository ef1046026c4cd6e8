// Parsing the simulated monitor's transcript.
#include "transcript.h"

#include <stdio.h>
#include <stdlib.h>

#include "tamsi_process.h"

static std::vector<unsigned> HexList(const std::string& line, size_t& from) {
    std::vector<unsigned> bytes;
    size_t open = line.find('[', from);
    if (open == std::string::npos) return bytes;
    size_t close = line.find(']', open);
    if (close == std::string::npos) return bytes;
    const char* cursor = line.c_str() + open + 1;
    const char* end = line.c_str() + close;
    while (cursor < end) {
        char* next = nullptr;
        unsigned long value = strtoul(cursor, &next, 16);
        if (next == cursor) break;
        bytes.push_back((unsigned)value);
        cursor = next;
    }
    from = close + 1;
    return bytes;
}

std::vector<TranscriptCall> ReadTranscript(const std::string& path) {
    std::vector<TranscriptCall> calls;
    for (const std::string& line : ReadLines(path)) {
        TranscriptCall call;
        call.line = line;
        call.operation = line.substr(0, line.find(' '));
        size_t arrow = line.find("->");
        if (arrow != std::string::npos) call.status = atoi(line.c_str() + arrow + 2);
        size_t from = 0;
        call.request = HexList(line, from);
        if (arrow != std::string::npos && from < arrow) from = arrow;
        call.response = HexList(line, from);
        calls.push_back(call);
    }
    return calls;
}

bool IsCounterPoll(const TranscriptCall& call) {
    return call.operation == "tkcmdsetCSAFE_command" && call.request.size() == 5 &&
           call.request[0] == 0x1A && call.request[2] == 0xA0;
}

bool IsStrokePoll(const TranscriptCall& call) {
    return call.operation == "tkcmdsetCSAFE_command" && call.request.size() == 5 &&
           call.request[0] == 0xA6;
}

static long Le32(const std::vector<unsigned>& r, size_t at) {
    return (long)(r[at] | (r[at + 1] << 8) | (r[at + 2] << 16) | ((unsigned long)r[at + 3] << 24));
}

bool ReadCounters(const TranscriptCall& call, CounterReading* reading) {
    if (!IsCounterPoll(call) || call.status != 0 || call.response.size() < 19) return false;
    reading->time = Le32(call.response, 4) + call.response[8];
    reading->tenths = Le32(call.response, 11) + call.response[15];
    return true;
}
