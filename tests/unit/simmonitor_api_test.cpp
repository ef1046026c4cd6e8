// The simulated monitor's lifecycle, discovery, injected faults, error texts, transcript and
// configuration.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "simmonitor/sim_monitor.h"

namespace {

typedef std::vector<uint32_t> Entries;

class SimApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        config.timeBase = SimTimeBase::Steps;
        config.startDelayHundredths = 0;
    }

    void Start() {
        SimMonitorReset(config);
        api = SimMonitorApi();
    }

    int16_t Discover(const char* product, uint16_t* count, uint16_t start = 0) {
        return api.ddiDiscoverPm3s(product, start, count);
    }

    int16_t Poll(Entries* response = nullptr) {
        uint32_t request[5] = {0x1A, 3, 0xA0, 0xA3, 0xBF};
        uint32_t answer[100];
        uint16_t count = 100;
        int16_t status = api.csafeCommand(0, 5, request, &count, answer);
        if (response) response->assign(answer, answer + count);
        return status;
    }

    std::string Name(int16_t code) {
        char text[ERROR_NAME_SIZE];
        EXPECT_EQ(0, api.ddiGetErrorName(code, text, sizeof text));
        return text;
    }

    std::string DdiText(int16_t code) {
        char text[ERROR_TEXT_SIZE];
        EXPECT_EQ(0, api.ddiGetErrorText(code, text, sizeof text));
        return text;
    }

    std::string CsafeText(int16_t code) {
        char text[ERROR_TEXT_SIZE];
        api.csafeGetErrorText(code, text, sizeof text);
        return text;
    }

    SimConfig config;
    MonitorApi api{};
};

TEST_F(SimApiTest, DiscoversThePm3OnlyAfterInit) {
    Start();
    uint16_t count = 7;
    EXPECT_EQ(SIM_ERR_DDI_NOT_INITIALISED, Discover(PM3_PRODUCT_NAME, &count));
    EXPECT_EQ(0, count);
    EXPECT_NE(std::string::npos, DdiText(SIM_ERR_DDI_NOT_INITIALISED).find("tkcmdsetDDI_init"));
    ASSERT_EQ(0, api.ddiInit());
    EXPECT_EQ(0, Discover(PM3_PRODUCT_NAME, &count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(0, Discover(PM4_PRODUCT_NAME, &count, 1));
    EXPECT_EQ(0, count);
    EXPECT_EQ(SIM_ERR_DDI_BAD_ARGUMENT, Discover(nullptr, &count));
    EXPECT_EQ(0, api.ddiShutdown(0));
    EXPECT_EQ(SIM_ERR_DDI_NOT_INITIALISED, Discover(PM3_PRODUCT_NAME, &count));
}

TEST_F(SimApiTest, CsafeCommandsNeedTheProtocolInitialised) {
    Start();
    Entries response{1, 2, 3};
    EXPECT_EQ(SIM_ERR_CSAFE_NOT_INITIALISED, Poll(&response));
    EXPECT_TRUE(response.empty());
    EXPECT_NE(std::string::npos, CsafeText(SIM_ERR_CSAFE_NOT_INITIALISED).find("not initialised"));
    ASSERT_EQ(0, api.csafeInitProtocol(0));
    EXPECT_EQ(0, Poll(&response));
    EXPECT_EQ(19u, response.size());
}

TEST_F(SimApiTest, FaultFromTheNthCallOnWithItsOwnTexts) {
    ASSERT_TRUE(SimApplyConfigValue(config, "TAMSI_SIM_FAULT", "tkcmdsetDDI_discover_pm3s:-3:2"));
    Start();
    api.ddiInit();
    uint16_t count = 0;
    EXPECT_EQ(0, Discover(PM3_PRODUCT_NAME, &count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(-3, Discover(PM3_PRODUCT_NAME, &count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(-3, Discover(PM3_PRODUCT_NAME, &count));
    EXPECT_EQ("SIM_FAULT_tkcmdsetDDI_discover_pm3s", Name(-3));
    EXPECT_EQ("Simulated failure of tkcmdsetDDI_discover_pm3s (status -3)", DdiText(-3));
    EXPECT_EQ("Simulated failure of tkcmdsetDDI_discover_pm3s (status -3)", CsafeText(-3));
    // Other codes keep their texts.
    EXPECT_EQ("Unknown error code -4", DdiText(-4));
    EXPECT_EQ("SIM_ERR_UNKNOWN", Name(-4));
    EXPECT_EQ("SIM_ERR_CSAFE_MALFORMED", Name(SIM_ERR_CSAFE_MALFORMED));
}

TEST_F(SimApiTest, FaultForSomeCallsOnlyLeavesTheMonitorUntouched) {
    ASSERT_TRUE(SimApplyConfigValue(config, "fault", "tkcmdsetCSAFE_command:-7:3:2"));
    Start();
    api.csafeInitProtocol(0);
    Entries r;
    EXPECT_EQ(0, Poll(&r));
    EXPECT_EQ(0, Poll(&r));
    EXPECT_EQ(-7, Poll(&r));
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(-7, Poll(&r));
    EXPECT_EQ(0, Poll(&r));
    EXPECT_EQ(75u, r[4]);  // the failed polls moved no time on
    EXPECT_EQ("Simulated failure of tkcmdsetCSAFE_command (status -7)", CsafeText(-7));
}

TEST_F(SimApiTest, TranscriptHasOneLinePerCallInOrder) {
    config.faults.push_back(SimFault{"tkcmdsetCSAFE_init_protocol", -5, 1, 1});
    Start();
    uint16_t count = 0;
    char text[ERROR_TEXT_SIZE];
    api.ddiInit();
    Discover(PM3_PRODUCT_NAME, &count);
    Discover(PM4_PRODUCT_NAME, &count, 1);
    api.csafeInitProtocol(2000);
    api.ddiGetErrorName(-5, text, 40);
    api.csafeInitProtocol(2000);
    Poll();
    uint32_t bad[1] = {0x42};
    uint32_t answer[100];
    uint16_t answerCount = 100;
    api.csafeCommand(0, 1, bad, &answerCount, answer);
    api.csafeGetErrorText(SIM_ERR_CSAFE_UNKNOWN_COMMAND, text, sizeof text);
    api.ddiGetErrorText(-5, text, 30);
    api.ddiShutdown(0);
    std::vector<std::string> expected = {
        "tkcmdsetDDI_init -> 0",
        "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 3 (PM3)\" 0 -> 0 1",
        "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 4 (PM4)\" 1 -> 0 0",
        "tkcmdsetCSAFE_init_protocol 2000 -> -5",
        "tkcmdsetDDI_get_error_name -5 40 -> 0 \"SIM_FAULT_tkcmdsetCSAFE_init_protocol\"",
        "tkcmdsetCSAFE_init_protocol 2000 -> 0",
        "tkcmdsetCSAFE_command 0 [1A 03 A0 A3 BF] -> 0 "
        "[1A 11 A0 05 19 00 00 00 00 A3 05 0A 00 00 00 00 BF 01 02]",
        "tkcmdsetCSAFE_command 0 [42] -> -203 []",
        "tkcmdsetCSAFE_get_error_text -203 200 -> \"Unknown CSAFE command: 0x42 at entry 1\"",
        "tkcmdsetDDI_get_error_text -5 30 -> 0 \"Simulated failure of tkcmdset\"",
        "tkcmdsetDDI_shutdown 0 -> 0",
    };
    EXPECT_EQ(expected, SimMonitorTranscript());
}

TEST(SimConfigTest, TextSetsKeysWithOrWithoutPrefixAndSkipsBadValues) {
    SimConfig c;
    std::vector<std::string> complaints =
        SimApplyConfigText(c,
                           "# the simulated monitor\n"
                           "mode = steps\n"
                           "TAMSI_SIM_STEP=50\r\n"
                           "pace=1:55.5\n"
                           "pace=fast\n"
                           "Rate=28.5\n"
                           "piece=2000\n"
                           "model=pm4\n"
                           "fault=tkcmdsetDDI_init:-1\n"
                           "fault=tkcmdsetCSAFE_command:-9:10:5; tkcmdsetDDI_shutdown:4\n");
    EXPECT_EQ(1u, complaints.size());  // the bad pace, which leaves the good one
    EXPECT_EQ(SimTimeBase::Steps, c.timeBase);
    EXPECT_EQ(50, c.stepHundredths);
    EXPECT_DOUBLE_EQ(115.5, c.paceSecondsPer500);
    EXPECT_DOUBLE_EQ(28.5, c.strokeRate);
    EXPECT_EQ(2000, c.pieceMetres);
    EXPECT_EQ(SimModel::Pm4, c.model);
    ASSERT_EQ(3u, c.faults.size());
    EXPECT_EQ(1u, c.faults[0].fromCall);
    EXPECT_EQ("tkcmdsetCSAFE_command", c.faults[1].operation);
    EXPECT_EQ(-9, c.faults[1].status);
    EXPECT_EQ(10u, c.faults[1].fromCall);
    EXPECT_EQ(5u, c.faults[1].callCount);
    EXPECT_EQ(4, c.faults[2].status);
}

}  // namespace
