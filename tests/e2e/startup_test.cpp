// Tamsi as a rower starts it: the window, the monitor libraries' call order, the poll, and a
// clean close.
#include <gtest/gtest.h>

#include "tamsi_process.h"

namespace {

// The operation names of the transcript, in order, one per call.
std::vector<std::string> Calls(const std::string& transcript) {
    std::vector<std::string> calls;
    for (const std::string& line : ReadLines(transcript)) {
        calls.push_back(line.substr(0, line.find(' ')));
    }
    return calls;
}

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
    int count = 0;
    for (const std::string& line : lines) count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

RECT WorkArea() {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

TEST(Startup, OpensTheSessionInOrderPollsAndClosesCleanly) {
    TamsiProcess tamsi("startup");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "100000");  // the rower never starts
    ASSERT_TRUE(tamsi.Start());

    RECT frame, area = WorkArea();
    ASSERT_TRUE(GetWindowRect(tamsi.window(), &frame));
    EXPECT_GE(frame.left, area.left);
    EXPECT_GE(frame.top, area.top);
    EXPECT_LE(frame.right, area.right);
    EXPECT_LE(frame.bottom, area.bottom);
    EXPECT_TRUE(GetMenu(tamsi.window()) != NULL);

    // Keeps polling: more counter polls arrive as time passes.
    ASSERT_TRUE(TamsiProcess::WaitFor([&] {
        return CountPrefix(ReadLines(tamsi.transcriptPath()), "tkcmdsetCSAFE_command") >= 8;
    }));
    SaveScreenshot("startup");
    EXPECT_EQ(tamsi.Close(), 0);

    std::vector<std::string> lines = ReadLines(tamsi.transcriptPath());
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("tkcmdsetDDI_init", 0), 0u) << lines[0];
    EXPECT_NE(lines[1].find("tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 3 (PM3)\""),
              std::string::npos)
        << lines[1];
    EXPECT_NE(lines[2].find("tkcmdsetDDI_discover_pm3s \"Concept2 Performance Monitor 4 (PM4)\""),
              std::string::npos)
        << lines[2];
    EXPECT_EQ(lines[3].rfind("tkcmdsetCSAFE_init_protocol 0", 0), 0u) << lines[3];
    EXPECT_EQ(lines.back().rfind("tkcmdsetDDI_shutdown 0", 0), 0u) << lines.back();
    std::vector<std::string> calls = Calls(tamsi.transcriptPath());
    for (size_t i = 4; i + 1 < calls.size(); i++) EXPECT_EQ(calls[i], "tkcmdsetCSAFE_command");

    // Nothing saved but the settings: an idle monitor leaves no row file.
    EXPECT_EQ(ReadWholeFile(tamsi.path("Tamsi.ini")).size(), 100u);
    EXPECT_TRUE(ListFolder(tamsi.path("data")).empty());
    std::vector<std::string> expected = {"PM3CsafeCP.dll", "PM3DDICP.dll", "Tamsi.exe",
                                         "Tamsi.ini",      "data",         "transcript.txt"};
    EXPECT_EQ(ListFolder(tamsi.folder()), expected);
}

TEST(Startup, ShutsTheDriverDownBeforeFetchingTheErrorOfAFailedDiscovery) {
    TamsiProcess tamsi("discovery-fails");
    tamsi.SetSimulator("TAMSI_SIM_FAULT", "tkcmdsetDDI_discover_pm3s:-7:2");
    ASSERT_TRUE(tamsi.Start());
    EXPECT_EQ(tamsi.Close(), 0);

    std::vector<std::string> calls = Calls(tamsi.transcriptPath());
    std::vector<std::string> expectedStart = {
        "tkcmdsetDDI_init",     "tkcmdsetDDI_discover_pm3s",  "tkcmdsetDDI_discover_pm3s",
        "tkcmdsetDDI_shutdown", "tkcmdsetDDI_get_error_name", "tkcmdsetDDI_get_error_text"};
    ASSERT_GE(calls.size(), expectedStart.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 6), expectedStart);
    EXPECT_EQ(CountPrefix(calls, "tkcmdsetCSAFE_init_protocol"), 0);
    EXPECT_EQ(calls.back(), "tkcmdsetDDI_shutdown");
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
