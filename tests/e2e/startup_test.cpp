// Tamsi as a rower starts it: every call into the monitor libraries with its arguments, the
// poll, a clean close, and a start without the libraries.
#include <gtest/gtest.h>
#include <string.h>

#include "tamsi_process.h"

namespace {

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
    int count = 0;
    for (const std::string& line : lines) count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

// Starts Tamsi with a fault in the simulated monitor, lets it poll a while, closes it and
// returns the transcript of its library calls.
std::vector<std::string> CallsWithFault(const std::string& name, const std::string& fault) {
    TamsiProcess tamsi(name);
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "100000");  // the rower never starts
    tamsi.SetSimulator("TAMSI_SIM_FAULT", fault);
    EXPECT_TRUE(tamsi.Start());
    EXPECT_TRUE(TamsiProcess::WaitFor([&] {
        return CountPrefix(ReadLines(tamsi.transcriptPath()), "tkcmdsetCSAFE_command") >= 4;
    }));
    EXPECT_EQ(tamsi.Close(), 0);
    // Nothing saved but the settings: an idle monitor leaves no row file.
    EXPECT_EQ(ReadWholeFile(tamsi.path("Tamsi.ini")).size(), 100u);
    EXPECT_TRUE(ListFolder(tamsi.path("data")).empty());
    return ReadLines(tamsi.transcriptPath());
}

void ExpectStartsWith(const std::vector<std::string>& lines,
                      const std::vector<std::string>& prefixes) {
    ASSERT_GT(lines.size(), prefixes.size());
    for (size_t i = 0; i < prefixes.size(); i++) {
        EXPECT_EQ(lines[i].compare(0, prefixes[i].size(), prefixes[i]), 0) << lines[i];
    }
}

const char* const PM3 = "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 3 (PM3)\" 0 -> ";
const char* const PM4 = "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 4 (PM4)\" 0 -> ";
const char* const COUNTER_POLL = "tkcmdsetCSAFE_command 0 [1A 03 A0 A3 BF] -> ";

// All eight operations of the two libraries, each with the arguments it must get: a run
// whose first poll fails, and a run whose second discovery fails.
TEST(Startup, EveryLibraryCallCarriesItsArguments) {
    std::vector<std::string> lines = CallsWithFault("calls", "tkcmdsetCSAFE_command:-7:1:1");
    ExpectStartsWith(lines,
                     {"tkcmdsetDDI_init -> 0", std::string(PM3) + "0 1", std::string(PM4) + "0 0",
                      "tkcmdsetCSAFE_init_protocol 0 -> 0", std::string(COUNTER_POLL) + "-7 []",
                      "tkcmdsetCSAFE_get_error_text -7 200 -> \"Simulated failure",
                      std::string(COUNTER_POLL) + "0 [1A 11 A0 05 00 00 00 00 00 A3 05"});
    EXPECT_EQ(lines.back(), "tkcmdsetDDI_shutdown 0 -> 0");
    for (size_t i = 7; i + 1 < lines.size(); i++) {
        EXPECT_EQ(lines[i].compare(0, strlen(COUNTER_POLL), COUNTER_POLL), 0) << lines[i];
    }

    lines = CallsWithFault("discovery-fails", "tkcmdsetDDI_discover_pm3s:-7:2");
    ExpectStartsWith(
        lines,
        {"tkcmdsetDDI_init -> 0", std::string(PM3) + "0 1", std::string(PM4) + "-7",
         "tkcmdsetDDI_shutdown 0 -> 0", "tkcmdsetDDI_get_error_name -7 40 -> 0 \"SIM_FAULT_",
         "tkcmdsetDDI_get_error_text -7 200 -> 0 \"Simulated failure",
         std::string(COUNTER_POLL) + "-201 []", "tkcmdsetCSAFE_get_error_text -201 200 -> \""});
    EXPECT_EQ(CountPrefix(lines, "tkcmdsetCSAFE_init_protocol"), 0);
    EXPECT_EQ(lines.back(), "tkcmdsetDDI_shutdown 0 -> 0");
}

TEST(Startup, StartsAndClosesWithoutTheMonitorLibraries) {
    TamsiProcess tamsi("no-libraries", false);
    ASSERT_TRUE(tamsi.Start());
    Sleep(1000);  // a few failing polls
    SaveScreenshot("no-libraries");
    EXPECT_TRUE(tamsi.Running());
    EXPECT_EQ(tamsi.Close(), 0);
    EXPECT_EQ(ReadWholeFile(tamsi.path("Tamsi.ini")).size(), 100u);
}

}  // namespace
