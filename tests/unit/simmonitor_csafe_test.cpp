// The simulated monitor's CSAFE answers, byte for byte, and its refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simmonitor/sim_monitor.h"

namespace {

typedef std::vector<uint32_t> Entries;

class SimCsafeTest : public ::testing::Test {
protected:
    void Start(SimConfig config) {
        SimMonitorReset(config);
        api = SimMonitorApi();
        ASSERT_EQ(0, api.ddiInit());
        ASSERT_EQ(0, api.csafeInitProtocol(1000));
    }

    void SetUp() override {
        config.timeBase = SimTimeBase::Steps;
        config.stepHundredths = 25;
        config.startDelayHundredths = 0;
        config.heartRate = 140;
        Start(config);
    }

    // Sends a request; the response is what the monitor wrote within its count.
    int16_t Send(const Entries& request, Entries& response, uint16_t capacity = 100) {
        Entries copy = request;
        buffer.assign(capacity + 8, 0xDEADBEEFu);
        uint16_t count = capacity;
        int16_t status = api.csafeCommand(0, static_cast<uint16_t>(copy.size()), copy.data(),
                                          &count, buffer.data());
        // Nothing is ever written past the capacity given.
        for (size_t i = capacity; i < buffer.size(); ++i) EXPECT_EQ(0xDEADBEEFu, buffer[i]);
        EXPECT_LE(count, capacity);
        response.assign(buffer.begin(), buffer.begin() + count);
        return status;
    }

    Entries Answer(const Entries& request) {
        Entries response;
        EXPECT_EQ(0, Send(request, response)) << ErrorText(Send(request, response));
        return response;
    }

    std::string ErrorText(int16_t code) {
        char text[ERROR_TEXT_SIZE];
        api.csafeGetErrorText(code, text, sizeof text);
        return text;
    }

    SimConfig config;
    MonitorApi api{};
    Entries buffer;
};

const Entries COUNTER_POLL = {0x1A, 3, 0xA0, 0xA3, 0xBF};
const Entries STROKE_POLL = {0xA6, 0xB4, 0xA3, 0xA7, 0xB0};
const Entries RESET = {0x86, 0x82, 0x83};

TEST_F(SimCsafeTest, CounterPollAnswersTimeDistanceAndStateInTheWrapper) {
    // Rowing from t=0 at 2:00/500 m; the poll moves time on by 0.25 s first.
    EXPECT_EQ((Entries{0x1A, 17, 0xA0, 5, 25, 0, 0, 0, 0, 0xA3, 5, 10, 0, 0, 0, 0, 0xBF, 1, 2}),
              Answer(COUNTER_POLL));
}

TEST_F(SimCsafeTest, CounterPollCarriesAllFourBytesLittleEndian) {
    config.stepHundredths = 360000;  // one hour per poll
    Start(config);
    // 3600 s = 0x00057E40 hundredths; 15000 m = 0x000249F0 tenths; a new stroke starts.
    EXPECT_EQ((Entries{0x1A, 17, 0xA0, 5, 0x40, 0x7E, 0x05, 0, 0, 0xA3, 5, 0xF0, 0x49, 0x02, 0, 0,
                       0xBF, 1, 2}),
              Answer(COUNTER_POLL));
    // 2:00/500 m is 240 ms/m and 203 W; an hour at 203 W is 4*203+300 = 1112 kcal.
    EXPECT_EQ((Entries{0xA6, 3,    240,  0,    0x39, 0xB4, 3, 203,  0,    0x58, 0xA3,
                       2,    0x58, 0x04, 0xA7, 3,    24,   0, 0x54, 0xB0, 1,    140}),
              Answer(STROKE_POLL));
}

TEST_F(SimCsafeTest, WriteRequestsAnswerEachCommandWithAZeroCount) {
    EXPECT_EQ((Entries{0x86, 0, 0x82, 0, 0x83, 0}), Answer(RESET));
    // 2000 m in 500 m splits.
    EXPECT_EQ((Entries{0x21, 0, 0x1A, 2, 0x05, 0, 0x24, 0, 0x85, 0}),
              Answer({0x21, 3, 0xD0, 0x07, 0x24, 0x1A, 7, 0x05, 5, 0x80, 0xF4, 0x01, 0, 0, 0x24, 2,
                      0, 0, 0x85}));
    EXPECT_EQ((Entries{0x20, 0, 0x24, 0, 0x85, 0}),
              Answer({0x20, 3, 0, 60, 0, 0x24, 2, 0, 0, 0x85}));
    EXPECT_EQ((Entries{0x24, 0, 0x85, 0}), Answer({0x24, 2, 4, 0, 0x85}));
    EXPECT_EQ((Entries{0x11, 0, 0x12, 0}), Answer({0x11, 3, 14, 30, 5, 0x12, 3, 124, 6, 15}));
}

TEST_F(SimCsafeTest, ClockIsStored) {
    EXPECT_FALSE(SimMonitorClock().timeSet);
    Answer({0x11, 3, 14, 30, 5, 0x12, 3, 124, 2, 29});  // 2024 is a leap year
    SimClock c = SimMonitorClock();
    EXPECT_TRUE(c.timeSet && c.dateSet);
    EXPECT_EQ((std::vector<int>{14, 30, 5, 2024, 2, 29}),
              (std::vector<int>{c.hour, c.minute, c.second, c.year, c.month, c.day}));
}

struct Refusal {
    const char* what;
    Entries request;
    int16_t status;
    const char* textHas;
};

TEST_F(SimCsafeTest, RefusesUnknownAndMalformedRequests) {
    const Refusal refusals[] = {
        {"unknown long command", {0x42, 1, 0}, SIM_ERR_CSAFE_UNKNOWN_COMMAND, "0x42"},
        {"work time outside the wrapper", {0xA0}, SIM_ERR_CSAFE_UNKNOWN_COMMAND, "0xA0"},
        {"unknown wrapped command", {0x1A, 1, 0xA1}, SIM_ERR_CSAFE_UNKNOWN_COMMAND, "0xA1"},
        {"entry wider than a byte", {0x1A, 3, 0xA0, 0xA3, 0x1BF}, SIM_ERR_CSAFE_MALFORMED, "0x1BF"},
        {"count past the end", {0x1A, 4, 0xA0, 0xA3, 0xBF}, SIM_ERR_CSAFE_MALFORMED, "0x1A"},
        {"no count", {0x86, 0x24}, SIM_ERR_CSAFE_MALFORMED, "0x24"},
        {"program too long", {0x24, 3, 1, 0, 0}, SIM_ERR_CSAFE_MALFORMED, "0x24"},
        {"hour 24", {0x11, 3, 24, 0, 0}, SIM_ERR_CSAFE_BAD_VALUE, "24:00:00"},
        {"30 February", {0x12, 3, 124, 2, 30}, SIM_ERR_CSAFE_BAD_VALUE, "2024-02-30"},
        {"program 16", {0x24, 2, 16, 0}, SIM_ERR_CSAFE_BAD_VALUE, "16"},
        {"no distance", {0x21, 3, 0, 0, 0x24}, SIM_ERR_CSAFE_BAD_VALUE, "0 m"},
        {"split type", {0x1A, 7, 0x05, 5, 0x40, 1, 0, 0, 0}, SIM_ERR_CSAFE_BAD_VALUE, "0x40"},
        {"distance and time",
         {0x21, 3, 1, 1, 0x24, 0x20, 3, 0, 1, 0, 0x24, 2, 0, 0, 0x85},
         SIM_ERR_CSAFE_BAD_VALUE,
         "both"},
    };
    for (const Refusal& r : refusals) {
        Entries response;
        int16_t status = Send(r.request, response);
        EXPECT_EQ(r.status, status) << r.what;
        EXPECT_TRUE(response.empty()) << r.what;
        std::string text = ErrorText(status);
        EXPECT_NE(std::string::npos, text.find(r.textHas)) << r.what << ": " << text;
    }
}

TEST_F(SimCsafeTest, RefusedRequestChangesNothing) {
    Entries response;
    // A good clock command followed by an unknown one: the clock stays unset.
    EXPECT_EQ(SIM_ERR_CSAFE_UNKNOWN_COMMAND, Send({0x11, 3, 6, 0, 0, 0x99}, response));
    EXPECT_FALSE(SimMonitorClock().timeSet);
    // A poll followed by garbage does not move time on.
    EXPECT_EQ(SIM_ERR_CSAFE_MALFORMED, Send({0x1A, 3, 0xA0, 0xA3, 0xBF, 0x24}, response));
    EXPECT_EQ(25u, Answer(COUNTER_POLL)[4]);
}

TEST_F(SimCsafeTest, ResponseThatDoesNotFitIsAnErrorAndChangesNothing) {
    Entries response;
    EXPECT_EQ(SIM_ERR_CSAFE_RESPONSE_TOO_LARGE, Send(COUNTER_POLL, response, 18));
    EXPECT_TRUE(response.empty());
    EXPECT_NE(std::string::npos, ErrorText(SIM_ERR_CSAFE_RESPONSE_TOO_LARGE).find("19"));
    EXPECT_EQ(0, Send(COUNTER_POLL, response, 19));
    ASSERT_EQ(19u, response.size());
    EXPECT_EQ(25u, response[4]);
}

}  // namespace
