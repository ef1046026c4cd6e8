// Settings of the simulated monitor from key=value text and TAMSI_SIM_* variables. Anything
// that does not parse is reported and ignored, so a typo never stops the monitor.
#include <stdlib.h>

#include <cctype>

#include "simmonitor/sim_monitor.h"
#include "simmonitor/sim_operations.h"

namespace {

const char* const KEYS[] = {"MODE",  "STEP",      "PACE",    "RATE",        "HEART_RATE",
                            "PIECE", "PIECES",    "ABANDON", "START_DELAY", "TRANSCRIPT",
                            "FAULT", "VARIATION", "MODEL",   "SPEED"};

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string NormalKey(const std::string& key) {
    std::string k = Upper(Trim(key));
    for (char& c : k)
        if (c == '-') c = '_';
    const std::string prefix = "TAMSI_SIM_";
    if (k.compare(0, prefix.size(), prefix) == 0) k = k.substr(prefix.size());
    return k;
}

// Whole-number text, optional minus sign, within [low, high].
bool ParseInt(const std::string& text, long long low, long long high, long long& out) {
    std::string s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i == s.size()) return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        v = v * 10 + (s[i] - '0');
        if (v > 10000000000LL) return false;
    }
    if (negative) v = -v;
    if (v < low || v > high) return false;
    out = v;
    return true;
}

// Decimal text like 120 or 117.5, read without the C locale (Tamsi may have set another).
bool ParseDecimal(const std::string& text, double low, double high, double& out) {
    std::string s = Trim(text);
    double v = 0.0;
    size_t i = 0;
    int digits = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++digits) {
        v = v * 10.0 + (s[i] - '0');
        if (v > 1e9) return false;
    }
    if (i < s.size() && s[i] == '.') {
        double scale = 0.1;
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++digits) {
            v += (s[i] - '0') * scale;
            scale /= 10.0;
        }
    }
    if (digits == 0 || i != s.size() || v < low || v > high) return false;
    out = v;
    return true;
}

// Pace as seconds (120, 117.5) or minutes:seconds (2:00, 1:57.5).
bool ParsePace(const std::string& text, double& out) {
    std::string s = Trim(text);
    size_t colon = s.find(':');
    double seconds = 0.0;
    if (colon == std::string::npos) {
        if (!ParseDecimal(s, 30.0, 1000.0, seconds)) return false;
    } else {
        long long minutes = 0;
        double rest = 0.0;
        if (!ParseInt(s.substr(0, colon), 0, 16, minutes) ||
            !ParseDecimal(s.substr(colon + 1), 0.0, 59.999, rest))
            return false;
        seconds = minutes * 60.0 + rest;
        if (seconds < 30.0 || seconds > 1000.0) return false;
    }
    out = seconds;
    return true;
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(separator, start);
        parts.push_back(
            s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

bool ParseFault(const std::string& entry, SimFault& fault) {
    std::vector<std::string> fields = Split(entry, ':');
    if (fields.size() < 2 || fields.size() > 4) return false;
    int op = SimOperationIndex(Trim(fields[0]));
    if (op < 0) return false;
    long long status = 0, from = 1, count = 0;
    if (!ParseInt(fields[1], -32768, 32767, status) || status == 0) return false;
    if (fields.size() > 2 && !ParseInt(fields[2], 1, 4294967295LL, from)) return false;
    if (fields.size() > 3 && !ParseInt(fields[3], 0, 4294967295LL, count)) return false;
    fault.operation = SIM_OPERATION_NAMES[op];
    fault.status = static_cast<int16_t>(status);
    fault.fromCall = static_cast<uint32_t>(from);
    fault.callCount = static_cast<uint32_t>(count);
    return true;
}

// Adds the good entries of a ';' list; false when any entry was bad.
bool ParseFaults(const std::string& text, std::vector<SimFault>& faults) {
    bool allGood = true;
    for (const std::string& raw : Split(text, ';')) {
        std::string entry = Trim(raw);
        if (entry.empty()) continue;
        SimFault fault;
        if (ParseFault(entry, fault))
            faults.push_back(fault);
        else
            allGood = false;
    }
    return allGood;
}

}  // namespace

bool SimApplyConfigValue(SimConfig& config, const std::string& key, const std::string& value) {
    std::string k = NormalKey(key);
    std::string v = Trim(value);
    long long n = 0;
    double d = 0.0;
    if (k == "MODE") {
        std::string m = Upper(v);
        if (m == "REALTIME" || m == "REAL_TIME" || m == "REAL-TIME") {
            config.timeBase = SimTimeBase::Realtime;
        } else if (m == "STEPS" || m == "STEP") {
            config.timeBase = SimTimeBase::Steps;
        } else {
            return false;
        }
        return true;
    }
    if (k == "MODEL") {
        std::string m = Upper(v);
        if (m == "PM3")
            config.model = SimModel::Pm3;
        else if (m == "PM4")
            config.model = SimModel::Pm4;
        else if (m == "PM5")
            config.model = SimModel::Pm5;
        else if (m == "NONE")
            config.model = SimModel::None;
        else
            return false;
        return true;
    }
    if (k == "STEP") {
        if (!ParseInt(v, 1, 360000, n)) return false;
        config.stepHundredths = static_cast<int>(n);
        return true;
    }
    if (k == "PACE") {
        if (!ParsePace(v, d)) return false;
        config.paceSecondsPer500 = d;
        return true;
    }
    if (k == "RATE") {
        if (!ParseDecimal(v, 1.0, 100.0, d)) return false;
        config.strokeRate = d;
        return true;
    }
    if (k == "HEART_RATE") {
        if (!ParseInt(v, 0, 255, n)) return false;
        config.heartRate = static_cast<int>(n);
        return true;
    }
    if (k == "PIECE") {
        if (!ParseInt(v, 0, 1000000, n)) return false;
        config.pieceMetres = static_cast<int>(n);
        return true;
    }
    if (k == "PIECES") {
        if (!ParseInt(v, 0, 1000000, n)) return false;
        config.pieceCount = static_cast<int>(n);
        return true;
    }
    if (k == "ABANDON") {
        if (!ParseInt(v, 0, 1000000, n)) return false;
        config.abandonMetres = static_cast<int>(n);
        return true;
    }
    if (k == "START_DELAY") {
        if (!ParseInt(v, 0, 8640000, n)) return false;
        config.startDelayHundredths = static_cast<int>(n);
        return true;
    }
    if (k == "SPEED") {
        if (!ParseDecimal(v, 1.0, 100.0, d)) return false;
        config.speed = d;
        return true;
    }
    if (k == "VARIATION") {
        if (!ParseDecimal(v, 0.0, 50.0, d)) return false;
        config.variationPercent = d;
        return true;
    }
    if (k == "TRANSCRIPT") {
        config.transcriptPath = v;
        return true;
    }
    if (k == "FAULT") {
        if (v.empty()) {
            config.faults.clear();
            return true;
        }
        return ParseFaults(v, config.faults);
    }
    return false;
}

std::vector<std::string> SimApplyConfigText(SimConfig& config, const std::string& text) {
    std::vector<std::string> complaints;
    int lineNumber = 0;
    for (const std::string& raw : Split(text, '\n')) {
        ++lineNumber;
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
        size_t equals = line.find('=');
        bool ok = equals != std::string::npos &&
                  SimApplyConfigValue(config, line.substr(0, equals), line.substr(equals + 1));
        if (!ok) complaints.push_back("line " + std::to_string(lineNumber) + " ignored: " + line);
    }
    return complaints;
}

std::vector<std::string> SimApplyEnvironment(SimConfig& config) {
    std::vector<std::string> complaints;
    for (const char* key : KEYS) {
        std::string name = std::string("TAMSI_SIM_") + key;
        const char* value = getenv(name.c_str());
        if (value == nullptr) continue;
        // The environment replaces the file's faults rather than adding to them.
        if (name == "TAMSI_SIM_FAULT") config.faults.clear();
        if (!SimApplyConfigValue(config, key, value))
            complaints.push_back(name + " ignored: " + value);
    }
    return complaints;
}

SimConfig SimLoadConfig(const std::string& iniText) {
    SimConfig config;
    SimApplyConfigText(config, iniText);
    SimApplyEnvironment(config);
    return config;
}
