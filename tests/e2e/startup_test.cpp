// Tamsi as a rower starts it: every call into the monitor libraries with its arguments, the
// poll and a clean close, with a failing poll, a PM5 and libraries that do not know the PM5.
#include <gtest/gtest.h>

#include <algorithm>

#include "tamsi_process.h"

namespace {

// Starts Tamsi with a fault in the idle simulated monitor, lets it poll, closes it and checks
// that the transcript of its library calls begins with these lines and ends in a shutdown.
std::vector<std::string> Calls(const std::string& fault, const std::vector<std::string>& begin,
                               const std::string& model = "PM3") {
    TamsiProcess tamsi(model + fault.substr(0, fault.find(':')));
    tamsi.Set("TAMSI_SIM_START_DELAY", "100000");  // the rower never starts
    tamsi.Set("TAMSI_SIM_FAULT", fault);
    tamsi.Set("TAMSI_SIM_MODEL", model);
    EXPECT_TRUE(tamsi.Start());
    EXPECT_TRUE(TamsiProcess::WaitFor(
        [&] { return ReadLines(tamsi.path("transcript.txt")).size() >= 12; }));
    EXPECT_EQ(tamsi.Close(), 0);
    // Nothing saved but the settings: an idle monitor leaves no row file.
    EXPECT_EQ(ReadWholeFile(tamsi.path("Tamsi.ini")).size(), 100u);
    EXPECT_TRUE(ListFolder(tamsi.path("data")).empty());
    std::vector<std::string> lines = ReadLines(tamsi.path("transcript.txt"));
    lines.resize(std::max(lines.size(), begin.size() + 1));  // a short one fails below
    for (size_t i = 0; i < begin.size(); i++)
        EXPECT_EQ(lines[i].rfind(begin[i], 0), 0u) << lines[i];
    EXPECT_EQ(lines.back(), "tkcmdsetDDI_shutdown 0 -> 0");
    return lines;
}

const std::string PM3 = "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 3 (PM3)\" 0 -> ";
const std::string PM4 = "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 4 (PM4)\" 0 -> ";
const std::string PM5 = "tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 5 (PM5)\" 0 -> ";
const std::string POLL = "tkcmdsetCSAFE_command 0 [1A 03 A0 A3 BF] -> ";

TEST(Startup, EveryLibraryCallCarriesItsArgumentsAndAPm5IsNoError) {
    std::vector<std::string> lines =
        Calls("tkcmdsetCSAFE_command:-7:1:1",
              {"tkcmdsetDDI_init -> 0", PM3 + "0 1", PM4 + "0 0", PM5 + "0 0",
               "tkcmdsetCSAFE_init_protocol 0 -> 0", POLL + "-7 []",
               "tkcmdsetCSAFE_get_error_text -7 200 -> \"Simulated failure",
               POLL + "0 [1A 11 A0 05 00 00 00 00 00 A3 05"});
    // An idle monitor is asked for its counters only.
    for (size_t i = 8; i + 1 < lines.size(); i++)
        EXPECT_EQ(lines[i].rfind(POLL, 0), 0u) << lines[i];

    // A PM5, and a PM3 on libraries that do not know the PM5's name: the third discovery comes
    // after the other two and its refusal fetches no error text.
    for (bool pm5 : {true, false}) {
        std::vector<std::string> lines = Calls(
            pm5 ? "" : "tkcmdsetDDI_discover_pm3s:-7:3:1",
            {"tkcmdsetDDI_init -> 0", PM3 + (pm5 ? "0 0" : "0 1"), PM4 + "0 0",
             PM5 + (pm5 ? "0 1" : "-7 0"), "tkcmdsetCSAFE_init_protocol 0 -> 0", POLL + "0 ["},
            pm5 ? "PM5" : "PM3");
        for (const std::string& line : lines)
            EXPECT_EQ(line.find("error_"), std::string::npos) << line;
    }
}

}  // namespace
