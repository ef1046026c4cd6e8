// Building the workout and clock requests entry by entry.
#include "monitor/workout_requests.h"

namespace {

// CSAFE commands and the monitor's own wrapped command used here.
const uint32_t CMD_WRAPPER = 0x1A;
const uint32_t CMD_SET_TIME = 0x11;
const uint32_t CMD_SET_DATE = 0x12;
const uint32_t CMD_SET_TWORK = 0x20;
const uint32_t CMD_SET_HORIZONTAL = 0x21;
const uint32_t CMD_SET_PROGRAM = 0x24;
const uint32_t CMD_GO_IDLE = 0x82;
const uint32_t CMD_GO_HAVE_ID = 0x83;
const uint32_t CMD_GO_IN_USE = 0x85;
const uint32_t CMD_GO_FINISHED = 0x86;
const uint32_t WRAPPED_SET_SPLIT_DURATION = 0x05;
const uint32_t SPLIT_TYPE_DISTANCE = 0x80;
const uint32_t UNIT_METRES = 0x24;

// Every entry carries one byte; anything wider is cut, never spread over the next entry.
uint32_t Byte(int64_t value, int shift) {
    return (uint32_t)((value >> shift) & 0xFF);
}

void Add(CsafeRequest& request, uint32_t entry) {
    if (request.count < MAX_REQUEST_ENTRIES) request.entries[request.count++] = entry;
}

// cmdSetProgram with the given program byte, then cmdGoInUse to start it.
void AddProgramAndStart(CsafeRequest& request, uint32_t program) {
    Add(request, CMD_SET_PROGRAM);
    Add(request, 2);
    Add(request, program);
    Add(request, 0);
    Add(request, CMD_GO_IN_USE);
}

}  // namespace

CsafeRequest BuildResetRequest() {
    CsafeRequest request = {};
    Add(request, CMD_GO_FINISHED);
    Add(request, CMD_GO_IDLE);
    Add(request, CMD_GO_HAVE_ID);
    return request;
}

int32_t SplitLengthFor(int32_t metres) {
    if (metres < 500) return 250;
    return (metres / 15000 + 1) * 500;
}

CsafeRequest BuildDistanceWorkoutRequest(int32_t metres) {
    CsafeRequest request = {};
    Add(request, CMD_SET_HORIZONTAL);
    Add(request, 3);
    Add(request, Byte(metres, 0));
    Add(request, Byte(metres, 8));
    Add(request, UNIT_METRES);

    const int32_t split = SplitLengthFor(metres);
    Add(request, CMD_WRAPPER);
    Add(request, 7);
    Add(request, WRAPPED_SET_SPLIT_DURATION);
    Add(request, 5);
    Add(request, SPLIT_TYPE_DISTANCE);
    Add(request, Byte(split, 0));
    Add(request, Byte(split, 8));
    Add(request, Byte(split, 16));
    Add(request, Byte(split, 24));

    AddProgramAndStart(request, 0);
    return request;
}

CsafeRequest BuildTimeWorkoutRequest(int32_t minutes) {
    // An hour goes as 0 hours and 60 minutes, which the monitor accepts.
    CsafeRequest request = {};
    Add(request, CMD_SET_TWORK);
    Add(request, 3);
    Add(request, 0);
    Add(request, Byte(minutes, 0));
    Add(request, 0);
    AddProgramAndStart(request, 0);
    return request;
}

CsafeRequest BuildStoredWorkoutRequest(int32_t number) {
    CsafeRequest request = {};
    AddProgramAndStart(request, Byte(number, 0));
    return request;
}

CsafeRequest BuildClockRequest(const struct tm& local) {
    CsafeRequest request = {};
    Add(request, CMD_SET_TIME);
    Add(request, 3);
    Add(request, Byte(local.tm_hour, 0));
    Add(request, Byte(local.tm_min, 0));
    Add(request, Byte(local.tm_sec, 0));
    Add(request, CMD_SET_DATE);
    Add(request, 3);
    Add(request, Byte(local.tm_year, 0));
    Add(request, Byte(local.tm_mon + 1, 0));
    Add(request, Byte(local.tm_mday, 0));
    return request;
}
