// Opening the monitor session: the order of the library calls and every failure path.
#include <gtest/gtest.h>

#include "monitor/missing_library.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "recorder_test_support.h"

namespace {

// A scripted pair of libraries that records every call and fails the one named.
std::vector<std::string> calls;
std::string failing;

int16_t Call(std::string call, int a = INT32_MIN, int b = INT32_MIN) {
    for (int n : {a, b}) call += n == INT32_MIN ? "" : " " + std::to_string(n);
    calls.push_back(call);
    return call == failing ? -7 : 0;
}

const MonitorApi FAKE_LIBRARIES = {
    []() { return Call("init"); },
    [](const char* product, uint16_t start, uint16_t*) {
        return Call(std::string("discover ") + product, start);
    },
    [](int16_t code, char*, uint16_t size) { return Call("name", code, size); },
    [](int16_t code, char* text, uint16_t size) {
        snprintf(text, size, "driver says %d", code);
        return Call("text", code, size);
    },
    [](int16_t port) { return Call("shutdown", port); },
    [](uint16_t timeout) { return Call("protocol", timeout); },
    nullptr,
    nullptr,
};

// A missing library is named at start-up and by every poll after it.
TEST(MonitorSession, OpensInTheLibrariesOrderAndShowsWhatFailedOrIsMissing) {
    const std::string PM3 = "discover Concept2 Performance Monitor 3 (PM3) 0";
    const std::string PM4 = "discover Concept2 Performance Monitor 4 (PM4) 0";
    const std::string PM5 = "discover Concept2 Performance Monitor 5 (PM5) 0";
    const std::string MISSING = " missing or incomplete in the program folder";
    const int16_t GONE = MISSING_LIBRARY_STATUS;
    const struct {
        bool ddiMissing, csafeMissing;
        std::string failing;
        int16_t status;
        std::vector<std::string> calls;
        std::string statusLine;
    } cases[] = {
        // clang-format off
        {false, false, "", 0, {"init", PM3, PM4, PM5, "protocol 0"}, "old"},
        // A library that does not know the PM5 is no error.
        {false, false, PM5, 0, {"init", PM3, PM4, PM5, "protocol 0"}, "old"},
        {false, false, PM4, -7, {"init", PM3, PM4, "shutdown 0", "name -7 40", "text -7 200"},
         "Error: driver says -7"},
        {true, false, "", GONE, {}, "Error: PM3DDICP.dll is" + MISSING},
        {false, true, "", GONE, {"init", PM3, PM4, PM5}, "Error: PM3CsafeCP.dll is" + MISSING},
        {true, true, "", GONE, {}, "Error: PM3DDICP.dll and PM3CsafeCP.dll are" + MISSING},
        // clang-format on
    };
    recorder_test::UseEnglishTexts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statusLine);
        calls.clear(), failing = c.failing;
        monitorApi = FAKE_LIBRARIES;
        UseMissingLibraries(&monitorApi, c.ddiMissing, c.csafeMissing);
        strcpy(statusLine, "old");
        EXPECT_EQ(OpenMonitorSession(), c.status);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(statusLine, c.statusLine);
        if (c.ddiMissing || c.csafeMissing) {
            ResetRecorderState();
            RunPollTick();
            EXPECT_EQ(statusLine, c.statusLine);
        }
    }
    ResetRecorderState();
    monitorApi = MonitorApi();
}

}  // namespace
