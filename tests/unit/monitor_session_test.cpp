// Opening the monitor session: the order of the library calls and every failure path.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "monitor/missing_library.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "monitor/recorder.h"
#include "settings/text_table.h"

namespace {

// A scripted pair of libraries that records every call.
std::vector<std::string> calls;
int16_t failInit, failDiscover, failDiscoverCall, failProtocol;
int discoverCalls;

int16_t FakeInit() {
    calls.push_back("init");
    return failInit;
}
int16_t FakeDiscover(const char* product, uint16_t start, uint16_t* count) {
    calls.push_back(std::string("discover ") + product + " " + std::to_string(start));
    *count = 1;
    return ++discoverCalls == failDiscoverCall ? failDiscover : 0;
}
int16_t FakeErrorName(int16_t code, char* buffer, uint16_t size) {
    calls.push_back("ddi name " + std::to_string(code) + " " + std::to_string(size));
    snprintf(buffer, size, "NAME");
    return 0;
}
int16_t FakeErrorText(int16_t code, char* buffer, uint16_t size) {
    calls.push_back("ddi text " + std::to_string(code) + " " + std::to_string(size));
    snprintf(buffer, size, "driver says %d", code);
    return 0;
}
int16_t FakeShutdown(int16_t port) {
    calls.push_back("shutdown " + std::to_string(port));
    return 0;
}
int16_t FakeInitProtocol(uint16_t timeout) {
    calls.push_back("protocol " + std::to_string(timeout));
    return failProtocol;
}
void FakeCsafeText(int16_t code, char* buffer, uint16_t size) {
    calls.push_back("csafe text " + std::to_string(code) + " " + std::to_string(size));
    // Fills the whole buffer without a terminator: the session must still stay bounded.
    memset(buffer, 'z', size);
}

class MonitorSession : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        failInit = failDiscover = failProtocol = 0;
        failDiscoverCall = discoverCalls = 0;
        monitorApi = {FakeInit,     FakeDiscover,     FakeErrorName, FakeErrorText,
                      FakeShutdown, FakeInitProtocol, nullptr,       FakeCsafeText};
        memset(textTable, 0, sizeof textTable);
        strcpy(statusLine, "old");
    }
};

TEST_F(MonitorSession, SucceedsInTheLibrariesOrderAndLeavesTheStatusLineAlone) {
    EXPECT_EQ(OpenMonitorSession(), 0);
    std::vector<std::string> expected = {"init", "discover Concept2 Performance Monitor 3 (PM3) 0",
                                         "discover Concept2 Performance Monitor 4 (PM4) 0",
                                         "protocol 0"};
    EXPECT_EQ(calls, expected);
    EXPECT_STREQ(statusLine, "old");
}

TEST_F(MonitorSession, AFailedInitShowsTheDriverTextWithoutShuttingDown) {
    failInit = -4;
    EXPECT_EQ(OpenMonitorSession(), -4);
    std::vector<std::string> expected = {"init", "ddi name -4 40", "ddi text -4 200"};
    EXPECT_EQ(calls, expected);
    // Before the language is loaded the label is empty.
    EXPECT_STREQ(statusLine, ": driver says -4");
}

TEST_F(MonitorSession, AFailedSecondDiscoveryShutsDownBeforeFetchingTheText) {
    failDiscover = -7;
    failDiscoverCall = 2;
    strcpy(textTable[TEXT_ERROR], "Fejl");
    EXPECT_EQ(OpenMonitorSession(), -7);
    std::vector<std::string> expected = {"init",
                                         "discover Concept2 Performance Monitor 3 (PM3) 0",
                                         "discover Concept2 Performance Monitor 4 (PM4) 0",
                                         "shutdown 0",
                                         "ddi name -7 40",
                                         "ddi text -7 200"};
    EXPECT_EQ(calls, expected);
    EXPECT_STREQ(statusLine, "Fejl: driver says -7");
}

TEST_F(MonitorSession, AFailedProtocolStartIsDescribedByTheCsafeLibrary) {
    failProtocol = 12;
    strcpy(textTable[TEXT_ERROR], "Error");
    EXPECT_EQ(OpenMonitorSession(), 12);
    EXPECT_EQ(calls.back(), "csafe text 12 200");
    // The library filled its whole buffer: the text is cut, never read past.
    EXPECT_EQ(std::string(statusLine), "Error: " + std::string(199, 'z'));
}

int16_t NotInitialisedCommand(uint16_t, uint16_t, uint32_t*, uint16_t*, uint32_t*) {
    return -201;
}

// Start-up and the polls after it keep naming the missing file, never a present library's
// own complaint that it was not initialised.
TEST(MissingLibrary, TheStatusLineKeepsNamingTheMissingFile) {
    const struct {
        bool ddiMissing, csafeMissing;
        const char* text;
    } cases[] = {
        {true, false, "Error: PM3DDICP.dll is missing or incomplete in the program folder"},
        {false, true, "Error: PM3CsafeCP.dll is missing or incomplete in the program folder"},
        {true, true,
         "Error: PM3DDICP.dll and PM3CsafeCP.dll are missing or incomplete in the program folder"},
    };
    memset(textTable, 0, sizeof textTable);
    strcpy(textTable[TEXT_ERROR], "Error");
    for (const auto& c : cases) {
        monitorApi = {FakeInit,     FakeDiscover,     FakeErrorName,         FakeErrorText,
                      FakeShutdown, FakeInitProtocol, NotInitialisedCommand, FakeCsafeText};
        UseMissingLibraries(&monitorApi, c.ddiMissing, c.csafeMissing);
        EXPECT_EQ(OpenMonitorSession(), MISSING_LIBRARY_STATUS);
        EXPECT_STREQ(statusLine, c.text);
        ResetRecorderState();
        RunPollTick();
        EXPECT_STREQ(statusLine, c.text);
    }
    ResetRecorderState();
    monitorApi = MonitorApi();
}

}  // namespace
