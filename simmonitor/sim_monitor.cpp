// The eight operations of the simulated monitor: lifecycle, injected faults, error texts and
// the transcript. The CSAFE work itself is in sim_csafe.cpp, the rower in sim_rower.cpp.
#include "simmonitor/sim_monitor.h"

#include <stdio.h>
#include <string.h>

#include <chrono>
#include <deque>
#include <map>
#include <mutex>

#include "simmonitor/sim_csafe.h"
#include "simmonitor/sim_operations.h"

const char* const SIM_OPERATION_NAMES[SIM_OPERATION_COUNT] = {
    "tkcmdsetDDI_init",           "tkcmdsetDDI_discover_pm3s",   "tkcmdsetDDI_get_error_name",
    "tkcmdsetDDI_get_error_text", "tkcmdsetDDI_shutdown",        "tkcmdsetCSAFE_init_protocol",
    "tkcmdsetCSAFE_command",      "tkcmdsetCSAFE_get_error_text"};

int SimOperationIndex(const std::string& name) {
    for (int i = 0; i < SIM_OPERATION_COUNT; ++i) {
        const char* known = SIM_OPERATION_NAMES[i];
        if (name.size() != strlen(known)) continue;
        bool same = true;
        for (size_t c = 0; c < name.size() && same; ++c) {
            unsigned char a = static_cast<unsigned char>(name[c]);
            unsigned char b = static_cast<unsigned char>(known[c]);
            same = (a >= 'A' && a <= 'Z' ? a + 32 : a) == (b >= 'A' && b <= 'Z' ? b + 32 : b);
        }
        if (same) return i;
    }
    return -1;
}

namespace {

const size_t TRANSCRIPT_KEEP = 10000;
const size_t PRODUCT_NAME_LIMIT = 255;

struct Monitor {
    SimConfig config;
    SimCsafeMachine machine;
    bool ddiReady = false;
    bool csafeReady = false;
    bool originSet = false;
    std::chrono::steady_clock::time_point origin;
    int64_t fastForward = 0;
    uint32_t calls[SIM_OPERATION_COUNT] = {};
    std::deque<std::string> transcript;
    std::map<int16_t, std::string> details;  // what went wrong last time, per status
};

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

Monitor& State() {
    static Monitor monitor;
    return monitor;
}

int64_t NowHundredths(Monitor& m) {
    auto now = std::chrono::steady_clock::now();
    if (!m.originSet) {
        m.origin = now;
        m.originSet = true;
    }
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - m.origin).count();
    return static_cast<int64_t>(static_cast<double>(ms) * m.config.speed / 10.0) + m.fastForward;
}

// Counts the call and returns the injected status, or 0.
int16_t Fault(Monitor& m, SimOperation op) {
    uint32_t call = m.calls[op] < 0xFFFFFFFFu ? ++m.calls[op] : m.calls[op];
    for (const SimFault& f : m.config.faults) {
        if (f.status == 0 || SimOperationIndex(f.operation) != op) continue;
        if (call >= f.fromCall && (f.callCount == 0 || call - f.fromCall < f.callCount))
            return f.status;
    }
    return 0;
}

const SimFault* FaultWithStatus(const Monitor& m, int16_t code) {
    for (const SimFault& f : m.config.faults)
        if (f.status == code && code != 0 && SimOperationIndex(f.operation) >= 0) return &f;
    return nullptr;
}

struct BuiltIn {
    int16_t code;
    const char* name;
    const char* text;
};

const BuiltIn BUILT_IN[] = {
    {SIM_ERR_DDI_NOT_INITIALISED, "SIM_ERR_DDI_NOT_INITIALISED",
     "Monitor discovery is not initialised (call tkcmdsetDDI_init first)"},
    {SIM_ERR_DDI_BAD_ARGUMENT, "SIM_ERR_DDI_BAD_ARGUMENT", "Bad argument"},
    {SIM_ERR_CSAFE_NOT_INITIALISED, "SIM_ERR_CSAFE_NOT_INITIALISED",
     "CSAFE protocol not initialised (call tkcmdsetCSAFE_init_protocol first)"},
    {SIM_ERR_CSAFE_BAD_ARGUMENT, "SIM_ERR_CSAFE_BAD_ARGUMENT", "Bad argument"},
    {SIM_ERR_CSAFE_UNKNOWN_COMMAND, "SIM_ERR_CSAFE_UNKNOWN_COMMAND", "Unknown CSAFE command"},
    {SIM_ERR_CSAFE_MALFORMED, "SIM_ERR_CSAFE_MALFORMED", "Malformed CSAFE request"},
    {SIM_ERR_CSAFE_BAD_VALUE, "SIM_ERR_CSAFE_BAD_VALUE", "CSAFE value out of range"},
    {SIM_ERR_CSAFE_RESPONSE_TOO_LARGE, "SIM_ERR_CSAFE_RESPONSE_TOO_LARGE",
     "Response too large for the buffer"},
    {SIM_ERR_CSAFE_NO_MONITOR, "SIM_ERR_CSAFE_NO_MONITOR", "No monitor"},
};

const BuiltIn* FindBuiltIn(int16_t code) {
    for (const BuiltIn& b : BUILT_IN)
        if (b.code == code) return &b;
    return nullptr;
}

std::string ErrorName(const Monitor& m, int16_t code) {
    if (const SimFault* f = FaultWithStatus(m, code))
        return "SIM_FAULT_" + std::string(SIM_OPERATION_NAMES[SimOperationIndex(f->operation)]);
    if (const BuiltIn* b = FindBuiltIn(code)) return b->name;
    if (code == 0) return "SIM_OK";
    return "SIM_ERR_UNKNOWN";
}

std::string ErrorText(const Monitor& m, int16_t code) {
    if (const SimFault* f = FaultWithStatus(m, code)) {
        return "Simulated failure of " +
               std::string(SIM_OPERATION_NAMES[SimOperationIndex(f->operation)]) + " (status " +
               std::to_string(code) + ")";
    }
    if (const BuiltIn* b = FindBuiltIn(code)) {
        std::string text = b->text;
        auto detail = m.details.find(code);
        if (detail != m.details.end() && !detail->second.empty()) text += ": " + detail->second;
        return text;
    }
    if (code == 0) return "No error";
    return "Unknown error code " + std::to_string(code);
}

// Copies as much as fits, always terminated; returns what the caller got.
std::string WriteText(char* buffer, uint16_t size, const std::string& text) {
    if (buffer == nullptr || size == 0) return std::string();
    snprintf(buffer, size, "%s", text.c_str());
    return std::string(buffer);
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Hex(const uint32_t* entries, size_t count) {
    if (entries == nullptr) return count == 0 ? "[]" : "(null)";
    std::string out = "[";
    for (size_t i = 0; i < count; ++i) {
        char hex[16];
        snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", static_cast<unsigned>(entries[i]));
        out += hex;
    }
    return out + "]";
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::vector<uint32_t> entries(bytes.begin(), bytes.end());
    return Hex(entries.data(), entries.size());
}

void Record(Monitor& m, const std::string& line) {
    m.transcript.push_back(line);
    while (m.transcript.size() > TRANSCRIPT_KEEP) m.transcript.pop_front();
    if (m.config.transcriptPath.empty()) return;
    // Opened per line so that both DLLs can append to one file in call order.
    FILE* file = fopen(m.config.transcriptPath.c_str(), "a");
    if (file == nullptr) return;
    fputs(line.c_str(), file);
    fputc('\n', file);
    fflush(file);
    fclose(file);
}

std::string Status(int16_t status) {
    return " -> " + std::to_string(status);
}

int16_t Fail(Monitor& m, int16_t status, const std::string& detail) {
    m.details[status] = detail;
    return status;
}

void BringUpToDate(Monitor& m) {
    if (m.config.timeBase == SimTimeBase::Realtime && m.originSet)
        m.machine.AdvanceTo(NowHundredths(m));
}

}  // namespace

void SimMonitorReset(const SimConfig& config) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    m = Monitor();
    m.config = config;
    m.machine = SimCsafeMachine(config);
}

MonitorApi SimMonitorApi() {
    MonitorApi api;
    api.ddiInit = SimDdiInit;
    api.ddiDiscoverPm3s = SimDdiDiscoverPm3s;
    api.ddiGetErrorName = SimDdiGetErrorName;
    api.ddiGetErrorText = SimDdiGetErrorText;
    api.ddiShutdown = SimDdiShutdown;
    api.csafeInitProtocol = SimCsafeInitProtocol;
    api.csafeCommand = SimCsafeCommand;
    api.csafeGetErrorText = SimCsafeGetErrorText;
    return api;
}

std::vector<std::string> SimMonitorTranscript() {
    std::lock_guard<std::mutex> hold(Lock());
    const Monitor& m = State();
    return std::vector<std::string>(m.transcript.begin(), m.transcript.end());
}

void SimMonitorAdvance(uint32_t hundredths) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    if (m.config.timeBase == SimTimeBase::Steps) {
        m.machine.Advance(hundredths);
    } else {
        m.fastForward += hundredths;
        m.machine.AdvanceTo(NowHundredths(m));
    }
}

SimClock SimMonitorClock() {
    std::lock_guard<std::mutex> hold(Lock());
    return State().machine.Clock();
}

SimSnapshot SimMonitorSnapshot() {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    BringUpToDate(m);
    const SimRower& r = m.machine.Rower();
    SimSnapshot s;
    s.simHundredths = m.machine.SimHundredths();
    s.piece = r.Piece();
    s.pieceTarget = r.PieceTarget();
    s.workTime = r.WorkTime();
    s.workDistance = r.WorkDistance();
    s.strokeState = r.StrokeState();
    s.strokeIndex = r.StrokeIndex();
    s.paceMsPerMetre = r.PaceMsPerMetre();
    s.watts = r.Watts();
    s.calories = r.Calories();
    s.strokesPerMinute = r.StrokesPerMinute();
    s.heartRate = m.machine.HeartRate();
    s.plainPiecesStarted = r.PlainPiecesStarted();
    s.splitSet = m.machine.SplitSet();
    s.splitType = m.machine.SplitType();
    s.splitValue = m.machine.SplitValue();
    return s;
}

int16_t MONITOR_CALL SimDdiInit(void) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, SIM_OP_DDI_INIT);
    if (status == 0) m.ddiReady = true;
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_DDI_INIT]) + Status(status));
    return status;
}

int16_t MONITOR_CALL SimDdiDiscoverPm3s(const char* productName, uint16_t startAddress,
                                        uint16_t* count) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, SIM_OP_DDI_DISCOVER);
    std::string name;
    if (productName != nullptr)
        for (size_t i = 0; i < PRODUCT_NAME_LIMIT && productName[i] != '\0'; ++i)
            name += productName[i];
    uint16_t found = 0;
    if (status == 0) {
        if (productName == nullptr || count == nullptr) {
            status = Fail(m, SIM_ERR_DDI_BAD_ARGUMENT,
                          "tkcmdsetDDI_discover_pm3s needs a product name and a count");
        } else if (!m.ddiReady) {
            status = SIM_ERR_DDI_NOT_INITIALISED;
        } else if ((m.config.model == SimModel::Pm3 && name == PM3_PRODUCT_NAME) ||
                   (m.config.model == SimModel::Pm4 && name == PM4_PRODUCT_NAME) ||
                   (m.config.model == SimModel::Pm5 && name == PM5_PRODUCT_NAME)) {
            found = 1;
        }
    }
    if (count != nullptr) *count = found;
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_DDI_DISCOVER]) + " " +
                  (productName == nullptr ? std::string("(null)") : Quote(name)) + " " +
                  std::to_string(startAddress) + Status(status) + " " +
                  (count == nullptr ? std::string("-") : std::to_string(found)));
    return status;
}

namespace {
int16_t DdiErrorString(SimOperation op, int16_t code, char* buffer, uint16_t size) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, op);
    std::string written;
    if (status != 0) {
        WriteText(buffer, size, "");
    } else if (buffer == nullptr || size == 0) {
        status = Fail(m, SIM_ERR_DDI_BAD_ARGUMENT,
                      std::string(SIM_OPERATION_NAMES[op]) + " needs a buffer");
    } else {
        written = WriteText(buffer, size,
                            op == SIM_OP_DDI_ERROR_NAME ? ErrorName(m, code) : ErrorText(m, code));
    }
    Record(m, std::string(SIM_OPERATION_NAMES[op]) + " " + std::to_string(code) + " " +
                  std::to_string(size) + Status(status) + " " + Quote(written));
    return status;
}
}  // namespace

int16_t MONITOR_CALL SimDdiGetErrorName(int16_t code, char* buffer, uint16_t size) {
    return DdiErrorString(SIM_OP_DDI_ERROR_NAME, code, buffer, size);
}

int16_t MONITOR_CALL SimDdiGetErrorText(int16_t code, char* buffer, uint16_t size) {
    return DdiErrorString(SIM_OP_DDI_ERROR_TEXT, code, buffer, size);
}

int16_t MONITOR_CALL SimDdiShutdown(int16_t port) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, SIM_OP_DDI_SHUTDOWN);
    if (status == 0) m.ddiReady = false;
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_DDI_SHUTDOWN]) + " " + std::to_string(port) +
                  Status(status));
    return status;
}

int16_t MONITOR_CALL SimCsafeInitProtocol(uint16_t timeout) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, SIM_OP_CSAFE_INIT);
    if (status == 0) {
        m.csafeReady = true;
        NowHundredths(m);  // real time starts here
    }
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_CSAFE_INIT]) + " " + std::to_string(timeout) +
                  Status(status));
    return status;
}

int16_t MONITOR_CALL SimCsafeCommand(uint16_t unitAddress, uint16_t commandCount,
                                     uint32_t* commands, uint16_t* responseCount,
                                     uint32_t* responses) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    int16_t status = Fault(m, SIM_OP_CSAFE_COMMAND);
    std::vector<uint8_t> response;
    if (status == 0) {
        if (responseCount == nullptr || responses == nullptr || commands == nullptr) {
            status = Fail(
                m, SIM_ERR_CSAFE_BAD_ARGUMENT,
                "tkcmdsetCSAFE_command needs commands, a response count and a response buffer");
        } else if (!m.csafeReady) {
            status = SIM_ERR_CSAFE_NOT_INITIALISED;
        } else if (m.config.model == SimModel::None) {
            status = Fail(m, SIM_ERR_CSAFE_NO_MONITOR, "no monitor is connected");
        } else if (unitAddress != 0) {
            status = Fail(m, SIM_ERR_CSAFE_NO_MONITOR,
                          "nothing at unit address " + std::to_string(unitAddress) +
                              " (the monitor is at 0)");
        } else {
            int64_t now = m.config.timeBase == SimTimeBase::Realtime ? NowHundredths(m) : 0;
            std::string detail;
            status =
                m.machine.Execute(commands, commandCount, *responseCount, now, response, detail);
            if (status != 0) Fail(m, status, detail);
        }
    }
    if (status == 0) {
        for (size_t i = 0; i < response.size(); ++i) responses[i] = response[i];
        *responseCount = static_cast<uint16_t>(response.size());
    } else {
        response.clear();
        if (responseCount != nullptr) *responseCount = 0;
    }
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_CSAFE_COMMAND]) + " " +
                  std::to_string(unitAddress) + " " + Hex(commands, commandCount) + Status(status) +
                  " " + Hex(response));
    return status;
}

void MONITOR_CALL SimCsafeGetErrorText(int16_t code, char* buffer, uint16_t size) {
    std::lock_guard<std::mutex> hold(Lock());
    Monitor& m = State();
    // This operation has no status, so a failure shows as an empty text.
    int16_t status = Fault(m, SIM_OP_CSAFE_ERROR_TEXT);
    std::string written = WriteText(buffer, size, status != 0 ? std::string() : ErrorText(m, code));
    Record(m, std::string(SIM_OPERATION_NAMES[SIM_OP_CSAFE_ERROR_TEXT]) + " " +
                  std::to_string(code) + " " + std::to_string(size) + " -> " + Quote(written));
}
