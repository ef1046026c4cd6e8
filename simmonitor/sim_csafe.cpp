#include "simmonitor/sim_csafe.h"

#include <stdio.h>

namespace {

// Standard CSAFE commands.
const uint8_t CMD_SET_TIME = 0x11;
const uint8_t CMD_SET_DATE = 0x12;
const uint8_t CMD_WRAPPER = 0x1A;  // the monitor's own commands, wrapped
const uint8_t CMD_SET_TWORK = 0x20;
const uint8_t CMD_SET_HORIZONTAL = 0x21;
const uint8_t CMD_SET_PROGRAM = 0x24;
const uint8_t CMD_GO_IDLE = 0x82;
const uint8_t CMD_GO_HAVE_ID = 0x83;
const uint8_t CMD_GO_IN_USE = 0x85;
const uint8_t CMD_GO_FINISHED = 0x86;
const uint8_t CMD_GET_CALORIES = 0xA3;
const uint8_t CMD_GET_PACE = 0xA6;
const uint8_t CMD_GET_CADENCE = 0xA7;
const uint8_t CMD_GET_HR_CUR = 0xB0;
const uint8_t CMD_GET_POWER = 0xB4;
// Inside the wrapper.
const uint8_t PM_SET_SPLIT_DURATION = 0x05;
const uint8_t PM_GET_WORK_TIME = 0xA0;
const uint8_t PM_GET_WORK_DISTANCE = 0xA3;
const uint8_t PM_GET_STROKE_STATE = 0xBF;

const uint8_t UNIT_METRE = 0x24;
const uint8_t UNIT_SECONDS_PER_KM = 0x39;
const uint8_t UNIT_STROKES_PER_MINUTE = 0x54;
const uint8_t UNIT_WATTS = 0x58;
const uint8_t SPLIT_BY_TIME = 0x00;
const uint8_t SPLIT_BY_DISTANCE = 0x80;

std::string Format(const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
    char text[160];
    snprintf(text, sizeof text, format, a, b, c);
    return text;
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

bool LeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && LeapYear(year)) return 29;
    return days[month - 1];
}

// Splits bytes into commands: a code from 0x80 stands alone, a lower one has a byte count
// and that many data bytes. Returns 0 with `size` set, or an error.
int16_t Measure(const uint8_t* bytes, size_t count, size_t at, size_t& size, std::string& detail,
                const char* where) {
    uint8_t code = bytes[at];
    if (code >= 0x80) {
        size = 1;
        return 0;
    }
    if (at + 1 >= count) {
        detail = Format("command 0x%02X at byte %u%s has no byte count", code,
                        static_cast<unsigned>(at + 1));
        detail += where;
        return SIM_ERR_CSAFE_MALFORMED;
    }
    size_t length = bytes[at + 1];
    if (at + 2 + length > count) {
        detail = Format("command 0x%02X announces %u data bytes but %u follow", code,
                        static_cast<unsigned>(length), static_cast<unsigned>(count - at - 2));
        detail += where;
        return SIM_ERR_CSAFE_MALFORMED;
    }
    size = 2 + length;
    return 0;
}

int16_t WrongLength(uint8_t code, size_t got, size_t want, std::string& detail) {
    detail = Format("command 0x%02X needs %u data bytes, got %u", code, static_cast<unsigned>(want),
                    static_cast<unsigned>(got));
    return SIM_ERR_CSAFE_MALFORMED;
}

}  // namespace

SimPiece SimStoredWorkout(int number) {
    struct Entry {
        SimPieceKind kind;
        uint32_t target;
    };
    static const Entry table[15] = {
        {SimPieceKind::Distance, 2000},  {SimPieceKind::Distance, 5000},
        {SimPieceKind::Distance, 10000}, {SimPieceKind::Time, 30 * 6000},
        {SimPieceKind::Distance, 500},   {SimPieceKind::Distance, 1000},
        {SimPieceKind::Distance, 6000},  {SimPieceKind::Time, 20 * 6000},
        {SimPieceKind::Time, 60 * 6000}, {SimPieceKind::Distance, 100},
        {SimPieceKind::Time, 1 * 6000},  {SimPieceKind::Time, 4 * 6000},
        {SimPieceKind::Distance, 21097}, {SimPieceKind::Distance, 42195},
        {SimPieceKind::Time, 10 * 6000},
    };
    if (number < 1 || number > 15) return SimPiece{SimPieceKind::None, 0};
    return SimPiece{table[number - 1].kind, table[number - 1].target};
}

namespace {
SimRowerSettings RowerSettings(const SimConfig& config) {
    SimRowerSettings s;
    s.paceSecondsPer500 = config.paceSecondsPer500;
    s.strokeRate = config.strokeRate;
    s.variationPercent = config.variationPercent >= 0.0
                             ? config.variationPercent
                             : (config.timeBase == SimTimeBase::Steps ? 0.0 : 2.0);
    s.startDelayHundredths = config.startDelayHundredths;
    s.pieceMetres = config.pieceMetres;
    s.pieceCount = config.pieceCount;
    s.abandonMetres = config.abandonMetres;
    return s;
}
}  // namespace

SimCsafeMachine::SimCsafeMachine(const SimConfig& config)
    : steps_(config.timeBase == SimTimeBase::Steps),
      stepHundredths_(config.stepHundredths > 0 ? config.stepHundredths : 25),
      heartRate_(static_cast<uint8_t>(
          config.heartRate >= 0 && config.heartRate <= 255 ? config.heartRate : 0)),
      rower_(RowerSettings(config)) {}

void SimCsafeMachine::Advance(int64_t hundredths) {
    if (hundredths <= 0) return;
    simHundredths_ += hundredths;
    rower_.AdvanceTo(simHundredths_ / 100.0);
}

void SimCsafeMachine::AdvanceTo(int64_t hundredths) {
    if (hundredths > simHundredths_) Advance(hundredths - simHundredths_);
}

void SimCsafeMachine::CounterPoll() {
    // One step per request that reads counters, however many counters it reads.
    if (steps_ && !polledThisRequest_) Advance(stepHundredths_);
    polledThisRequest_ = true;
}

int16_t SimCsafeMachine::Execute(const uint32_t* request, uint16_t count, size_t capacity,
                                 int64_t nowHundredths, std::vector<uint8_t>& response,
                                 std::string& detail) {
    response.clear();
    detail.clear();
    if (request == nullptr || count == 0) {
        detail = "empty request";
        return SIM_ERR_CSAFE_MALFORMED;
    }
    std::vector<uint8_t> bytes(count);
    for (uint16_t i = 0; i < count; ++i) {
        if (request[i] > 0xFF) {
            char text[96];
            snprintf(text, sizeof text, "entry %u is 0x%X, not a byte",
                     static_cast<unsigned>(i + 1), static_cast<unsigned>(request[i]));
            detail = text;
            return SIM_ERR_CSAFE_MALFORMED;
        }
        bytes[i] = static_cast<uint8_t>(request[i]);
    }
    if (!steps_) AdvanceTo(nowHundredths);
    SimCsafeMachine trial = *this;
    trial.polledThisRequest_ = false;
    int16_t status = trial.Run(bytes, response, detail);
    if (status == 0 && response.size() > capacity) {
        char text[96];
        snprintf(text, sizeof text, "the response needs %u entries, the buffer holds %u",
                 static_cast<unsigned>(response.size()), static_cast<unsigned>(capacity));
        detail = text;
        status = SIM_ERR_CSAFE_RESPONSE_TOO_LARGE;
    }
    if (status != 0) {
        response.clear();
        return status;
    }
    *this = trial;
    return 0;
}

int16_t SimCsafeMachine::Run(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& out,
                             std::string& detail) {
    size_t at = 0;
    while (at < bytes.size()) {
        uint8_t code = bytes[at];
        size_t size = 0;
        bool known = code == CMD_SET_TIME || code == CMD_SET_DATE || code == CMD_WRAPPER ||
                     code == CMD_SET_TWORK || code == CMD_SET_HORIZONTAL ||
                     code == CMD_SET_PROGRAM || code == CMD_GO_IDLE || code == CMD_GO_HAVE_ID ||
                     code == CMD_GO_IN_USE || code == CMD_GO_FINISHED || code == CMD_GET_CALORIES ||
                     code == CMD_GET_PACE || code == CMD_GET_CADENCE || code == CMD_GET_HR_CUR ||
                     code == CMD_GET_POWER;
        if (!known) {
            detail = Format("0x%02X at entry %u", code, static_cast<unsigned>(at + 1));
            return SIM_ERR_CSAFE_UNKNOWN_COMMAND;
        }
        int16_t status = Measure(bytes.data(), bytes.size(), at, size, detail, "");
        if (status != 0) return status;
        const uint8_t* data = size >= 2 ? bytes.data() + at + 2 : nullptr;
        size_t length = size >= 2 ? size - 2 : 0;
        at += size;

        switch (code) {
        case CMD_GO_IDLE:
            staged_ = Staged();  // idle forgets a half-set workout
            rower_.Stop();
            break;
        case CMD_GO_HAVE_ID:
        case CMD_GO_FINISHED: rower_.Stop(); break;
        case CMD_GO_IN_USE:
            status = GoInUse(detail);
            if (status != 0) return status;
            break;
        case CMD_GET_CALORIES:
            out.push_back(code);
            out.push_back(2);
            Put16(out, rower_.Calories());
            continue;
        case CMD_GET_PACE:
            out.push_back(code);
            out.push_back(3);
            Put16(out, rower_.PaceMsPerMetre());
            out.push_back(UNIT_SECONDS_PER_KM);
            continue;
        case CMD_GET_CADENCE:
            out.push_back(code);
            out.push_back(3);
            Put16(out, rower_.StrokesPerMinute());
            out.push_back(UNIT_STROKES_PER_MINUTE);
            continue;
        case CMD_GET_HR_CUR:
            out.push_back(code);
            out.push_back(1);
            out.push_back(heartRate_);
            continue;
        case CMD_GET_POWER:
            out.push_back(code);
            out.push_back(3);
            Put16(out, rower_.Watts());
            out.push_back(UNIT_WATTS);
            continue;
        case CMD_WRAPPER: {
            std::vector<uint8_t> inner;
            status = RunWrapped(data, length, inner, detail);
            if (status != 0) return status;
            if (inner.size() > 255) {
                detail = "wrapped response longer than 255 bytes";
                return SIM_ERR_CSAFE_RESPONSE_TOO_LARGE;
            }
            out.push_back(code);
            out.push_back(static_cast<uint8_t>(inner.size()));
            out.insert(out.end(), inner.begin(), inner.end());
            continue;
        }
        case CMD_SET_TIME:
            if (length != 3) return WrongLength(code, length, 3, detail);
            if (data[0] > 23 || data[1] > 59 || data[2] > 59) {
                detail = Format("%u:%02u:%02u is not a time of day", data[0], data[1], data[2]);
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            clock_.timeSet = true;
            clock_.hour = data[0];
            clock_.minute = data[1];
            clock_.second = data[2];
            break;
        case CMD_SET_DATE: {
            if (length != 3) return WrongLength(code, length, 3, detail);
            int year = 1900 + data[0];
            if (data[1] < 1 || data[1] > 12 || data[2] < 1 ||
                data[2] > DaysInMonth(year, data[1])) {
                detail = Format("date %u-%02u-%02u does not exist", static_cast<unsigned>(year),
                                data[1], data[2]);
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            clock_.dateSet = true;
            clock_.year = year;
            clock_.month = data[1];
            clock_.day = data[2];
            break;
        }
        case CMD_SET_TWORK: {
            if (length != 3) return WrongLength(code, length, 3, detail);
            uint32_t seconds = data[0] * 3600u + data[1] * 60u + data[2];
            if (seconds == 0) {
                detail = "a work time of 0:00:00 is no workout";
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            staged_.hasTime = true;
            staged_.hundredths = seconds * 100u;
            break;
        }
        case CMD_SET_HORIZONTAL: {
            if (length != 3) return WrongLength(code, length, 3, detail);
            uint32_t metres = data[0] | (data[1] << 8);
            if (data[2] != UNIT_METRE) {
                detail = Format("distance unit 0x%02X is not metres (0x24)", data[2]);
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            if (metres == 0) {
                detail = "a distance of 0 m is no workout";
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            staged_.hasDistance = true;
            staged_.metres = metres;
            break;
        }
        case CMD_SET_PROGRAM:
            if (length != 2) return WrongLength(code, length, 2, detail);
            if (data[0] > 15) {
                detail = Format("program %u is not one of 0..15", data[0]);
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            staged_.hasProgram = true;
            staged_.program = data[0];
            break;
        default: break;
        }
        // Commands without data to return answer with their code and a zero count.
        out.push_back(code);
        out.push_back(0);
    }
    return 0;
}

int16_t SimCsafeMachine::RunWrapped(const uint8_t* data, size_t size, std::vector<uint8_t>& out,
                                    std::string& detail) {
    size_t at = 0;
    while (at < size) {
        uint8_t code = data[at];
        if (code != PM_SET_SPLIT_DURATION && code != PM_GET_WORK_TIME &&
            code != PM_GET_WORK_DISTANCE && code != PM_GET_STROKE_STATE) {
            detail = Format("0x%02X inside 0x1A", code);
            return SIM_ERR_CSAFE_UNKNOWN_COMMAND;
        }
        size_t length = 0;
        int16_t status = Measure(data, size, at, length, detail, " inside 0x1A");
        if (status != 0) return status;
        const uint8_t* args = length >= 2 ? data + at + 2 : nullptr;
        at += length;
        switch (code) {
        case PM_GET_WORK_TIME:
            CounterPoll();
            out.push_back(code);
            out.push_back(5);
            Put32(out, rower_.WorkTime());
            out.push_back(0);
            break;
        case PM_GET_WORK_DISTANCE:
            CounterPoll();
            out.push_back(code);
            out.push_back(5);
            Put32(out, rower_.WorkDistance());
            out.push_back(0);
            break;
        case PM_GET_STROKE_STATE:
            CounterPoll();
            out.push_back(code);
            out.push_back(1);
            out.push_back(rower_.StrokeState());
            break;
        default: {  // split duration
            if (length != 7) return WrongLength(code, length - 2, 5, detail);
            uint32_t value =
                args[1] | (args[2] << 8) | (args[3] << 16) | (static_cast<uint32_t>(args[4]) << 24);
            if (args[0] != SPLIT_BY_TIME && args[0] != SPLIT_BY_DISTANCE) {
                detail =
                    Format("split type 0x%02X is neither time (0x00) nor distance (0x80)", args[0]);
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            if (value == 0) {
                detail = "a split of 0 is no split";
                return SIM_ERR_CSAFE_BAD_VALUE;
            }
            split_.set = true;
            split_.type = args[0];
            split_.value = value;
            out.push_back(code);
            out.push_back(0);
            break;
        }
        }
    }
    return 0;
}

int16_t SimCsafeMachine::GoInUse(std::string& detail) {
    SimPiece piece;
    if (staged_.hasProgram && staged_.program > 0) {
        piece = SimStoredWorkout(staged_.program);
    } else if (staged_.hasDistance && staged_.hasTime) {
        detail = "both a distance (0x21) and a time (0x20) are set";
        return SIM_ERR_CSAFE_BAD_VALUE;
    } else if (staged_.hasDistance) {
        piece = SimPiece{SimPieceKind::Distance, staged_.metres};
    } else if (staged_.hasTime) {
        piece = SimPiece{SimPieceKind::Time, staged_.hundredths};
    } else if (staged_.hasProgram) {
        detail = "program 0 needs a distance (0x21) or a time (0x20) first";
        return SIM_ERR_CSAFE_BAD_VALUE;
    } else {
        piece = SimPiece{SimPieceKind::Plain, rower_.PlainPieceMetres()};
    }
    rower_.Begin(piece);
    staged_ = Staged();
    return 0;
}
