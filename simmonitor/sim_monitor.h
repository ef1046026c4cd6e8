// The simulated monitor: answers Tamsi's eight monitor operations like a PM3 with a rower
// on it. Window-free; PM3DDICP.dll and PM3CsafeCP.dll are thin wrappers over it.
//
// Native use (tests):
//   SimConfig config;                           // defaults, see simmonitor/README.md
//   config.timeBase = SimTimeBase::Steps;       // or SimApplyConfigText(config, "mode=steps")
//   SimMonitorReset(config);                    // fresh monitor, call counts and transcript
//   MonitorApi api = SimMonitorApi();           // then api.csafeCommand(...) as with the DLLs
//   std::vector<std::string> lines = SimMonitorTranscript();
//
// One monitor per process (per DLL on Windows); every function here takes one lock.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "monitor/monitor_api.h"

enum class SimTimeBase { Realtime, Steps };
enum class SimModel { Pm3, Pm4, Pm5, None };

// One injected failure: calls fromCall .. fromCall+callCount-1 of the operation return status.
struct SimFault {
    std::string operation;   // an export name, e.g. "tkcmdsetDDI_discover_pm3s"
    int16_t status = 0;      // never 0
    uint32_t fromCall = 1;   // counting from 1 since the last SimMonitorReset
    uint32_t callCount = 0;  // 0 = every call from fromCall on
};

struct SimConfig {
    SimTimeBase timeBase = SimTimeBase::Realtime;
    int stepHundredths = 25;  // simulated time per counter poll (steps only)
    double speed = 1.0;       // simulated seconds per wall-clock second (real time only)
    double paceSecondsPer500 = 120.0;
    double strokeRate = 24.0;        // strokes per minute
    int heartRate = 0;               // beats per minute, 0 = no belt
    int pieceMetres = 0;             // length of a plain piece, 0 = endless
    int pieceCount = 0;              // plain pieces rowed before resting for good, 0 = no limit
    int abandonMetres = 0;           // a programmed workout is given up after this far, 0 = never
    int startDelayHundredths = 200;  // rest before each piece
    double variationPercent = -1.0;  // per-stroke pace/rate wobble; < 0: 2 in real time, 0 in steps
    SimModel model = SimModel::Pm3;
    std::string transcriptPath;  // empty = no transcript file
    std::vector<SimFault> faults;
};

// Status codes of the simulated monitor's own errors.
const int16_t SIM_ERR_DDI_NOT_INITIALISED = -101;
const int16_t SIM_ERR_DDI_BAD_ARGUMENT = -102;
const int16_t SIM_ERR_CSAFE_NOT_INITIALISED = -201;
const int16_t SIM_ERR_CSAFE_BAD_ARGUMENT = -202;
const int16_t SIM_ERR_CSAFE_UNKNOWN_COMMAND = -203;
const int16_t SIM_ERR_CSAFE_MALFORMED = -204;
const int16_t SIM_ERR_CSAFE_BAD_VALUE = -205;
const int16_t SIM_ERR_CSAFE_RESPONSE_TOO_LARGE = -206;
const int16_t SIM_ERR_CSAFE_NO_MONITOR = -207;

// Configuration. Keys are the TAMSI_SIM_* names with or without that prefix, any case.
// Returns false (config unchanged) for an unknown key or a bad value.
bool SimApplyConfigValue(SimConfig& config, const std::string& key, const std::string& value);
// key=value lines, '#' comments; returns one complaint per ignored line.
std::vector<std::string> SimApplyConfigText(SimConfig& config, const std::string& text);
// TAMSI_SIM_* environment variables; returns one complaint per ignored variable.
std::vector<std::string> SimApplyEnvironment(SimConfig& config);
// Defaults, then the ini text, then the environment: what each DLL uses.
SimConfig SimLoadConfig(const std::string& iniText);

// Fresh monitor with this configuration: rower at rest, clock unset, call counts and the
// in-memory transcript cleared, the real-time origin unset.
void SimMonitorReset(const SimConfig& config);
// The eight operations below as one record.
MonitorApi SimMonitorApi();
// Transcript lines since the last reset (at most the newest 10000).
std::vector<std::string> SimMonitorTranscript();
// Moves simulated time on without a poll (steps: adds; real time: fast-forwards).
void SimMonitorAdvance(uint32_t hundredths);

struct SimClock {
    bool timeSet = false;
    int hour = 0, minute = 0, second = 0;
    bool dateSet = false;
    int year = 0, month = 0, day = 0;  // full year, e.g. 2024
};
SimClock SimMonitorClock();

enum class SimPieceKind { None, Plain, Distance, Time };

// What the monitor would show now; reading it never moves step time.
struct SimSnapshot {
    int64_t simHundredths = 0;                // simulated time since the start
    SimPieceKind piece = SimPieceKind::None;  // None while resting or waiting
    uint32_t pieceTarget = 0;                 // metres (plain, distance) or hundredths (time)
    uint32_t workTime = 0;                    // hundredths, as the counter poll reports it
    uint32_t workDistance = 0;                // tenths of a metre, as the counter poll reports it
    uint8_t strokeState = 1;
    uint32_t strokeIndex = 0;  // strokes begun in this piece, minus one
    uint16_t paceMsPerMetre = 0;
    uint16_t watts = 0;
    uint16_t calories = 0;
    uint16_t strokesPerMinute = 0;
    uint8_t heartRate = 0;
    int plainPiecesStarted = 0;
    bool splitSet = false;  // last split duration received (0x05)
    uint8_t splitType = 0;
    uint32_t splitValue = 0;
};
SimSnapshot SimMonitorSnapshot();

// The operations; the DLL exports forward to these.
int16_t MONITOR_CALL SimDdiInit(void);
int16_t MONITOR_CALL SimDdiDiscoverPm3s(const char* productName, uint16_t startAddress,
                                        uint16_t* count);
int16_t MONITOR_CALL SimDdiGetErrorName(int16_t code, char* buffer, uint16_t size);
int16_t MONITOR_CALL SimDdiGetErrorText(int16_t code, char* buffer, uint16_t size);
int16_t MONITOR_CALL SimDdiShutdown(int16_t port);
int16_t MONITOR_CALL SimCsafeInitProtocol(uint16_t timeout);
int16_t MONITOR_CALL SimCsafeCommand(uint16_t unitAddress, uint16_t commandCount,
                                     uint32_t* commands, uint16_t* responseCount,
                                     uint32_t* responses);
void MONITOR_CALL SimCsafeGetErrorText(int16_t code, char* buffer, uint16_t size);
