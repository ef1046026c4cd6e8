// The monitor side of a CSAFE exchange: parses a request (one byte per entry, no framing),
// changes the monitor and builds the response bytes. A request is all or nothing: when any
// command in it is refused, the monitor is left as it was.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "simmonitor/sim_monitor.h"
#include "simmonitor/sim_rower.h"

// The built-in stored workouts, index 1..15; kind None for other numbers.
SimPiece SimStoredWorkout(int number);

class SimCsafeMachine {
public:
    explicit SimCsafeMachine(const SimConfig& config = SimConfig());

    // Executes a request. nowHundredths is the real-time clock (ignored in steps). On
    // success returns 0 and the response; otherwise an error status and a detail text.
    // A response longer than capacity is an error, and then nothing changes.
    int16_t Execute(const uint32_t* request, uint16_t count, size_t capacity, int64_t nowHundredths,
                    std::vector<uint8_t>& response, std::string& detail);

    void Advance(int64_t hundredths);    // steps: simulated time moves on
    void AdvanceTo(int64_t hundredths);  // real time
    int64_t SimHundredths() const { return simHundredths_; }
    const SimRower& Rower() const { return rower_; }
    const SimClock& Clock() const { return clock_; }
    bool SplitSet() const { return split_.set; }
    uint8_t SplitType() const { return split_.type; }
    uint32_t SplitValue() const { return split_.value; }
    uint8_t HeartRate() const { return heartRate_; }

private:
    struct Staged {
        bool hasDistance = false;
        uint32_t metres = 0;
        bool hasTime = false;
        uint32_t hundredths = 0;
        bool hasProgram = false;
        int program = 0;
    };
    struct Split {
        bool set = false;
        uint8_t type = 0;
        uint32_t value = 0;
    };

    int16_t Run(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& out, std::string& detail);
    int16_t RunWrapped(const uint8_t* data, size_t size, std::vector<uint8_t>& out,
                       std::string& detail);
    int16_t GoInUse(std::string& detail);
    void CounterPoll();

    bool steps_ = false;
    int64_t stepHundredths_ = 25;
    int64_t simHundredths_ = 0;
    bool polledThisRequest_ = false;
    uint8_t heartRate_ = 0;
    SimRower rower_;
    Staged staged_;
    Split split_;
    SimClock clock_;
};
