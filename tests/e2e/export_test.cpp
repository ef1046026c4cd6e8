// Export from the real Tamsi.exe: a piece rowed on the simulated monitor saved as FIT from the
// log and as TCX from its entry window through Save As, then two results into a folder as FIT,
// read back by the FIT SDK's own decoder (fit_check.js), gpsbabel and xmllint (tcx_check.sh)
// and compared with what the log shows.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "../win/printed_pdf.h"
#include "app/app_state.h"
#include "export/export_names.h"
#include "log/row_file_loader.h"
#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// The row file of startTime as the log loads it.
std::unique_ptr<StrokeHistory> Loaded(int32_t startTime) {
    auto log = std::make_unique<StrokeHistory>();
    log->startTime = startTime;
    EXPECT_TRUE(LoadRowFile(log.get()));
    return log;
}

// What fit_check.js prints for a row file: a valid activity, the log's totals for lap and
// session, and a record per data line.
std::string ExpectedFit(const StrokeHistory& log) {
    char totals[128];
    snprintf(totals, sizeof totals,
             "time %.2f distance %.1f calories %d power %d cadence %d heart ", log.workTime / 100.0,
             log.distance, log.calories, log.avgPower, log.avgStrokeRate);
    const std::string heart = log.avgHeartRate > 0 ? std::to_string(log.avgHeartRate) : "-";
    return "fit true, integrity true, errors 0\nactivity rowing indoorRowing, events timer start, "
           "timer stopAll, laps 1, sessions 1, activities 1 of 1 session\nstart: " +
           std::to_string(log.startTime) + "\nlap: " + totals + heart + "\nsession: " + totals +
           heart + "\nrecords: " + std::to_string(log.lastSample + 1) + "\n";
}

// Answers the Save As dialog: chooses the file type (0 FIT, 1 TCX) as a pick in its list does
// (CBN_SELENDOK), types the path unless it is empty, and saves; returns the name shown then.
// The name box is the edit in the combo box 0x47C, which Wine nests in an extended combo box.
std::string SaveAs(int type, const std::string& path = "") {
    HWND dialog = Shown("#32770", "Save As"), box = GetDlgItem(dialog, 0x47C);
    for (HWND inner; (inner = GetWindow(box, GW_CHILD)) != NULL;) box = inner;
    SendDlgItemMessageA(dialog, 0x470, CB_SETCURSEL, type, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK),
                 (LPARAM)GetDlgItem(dialog, 0x470));
    char shown[MAX_PATH] = "";
    SendMessageA(box, WM_GETTEXT, sizeof shown, (LPARAM)shown);
    if (!path.empty()) SendMessageA(box, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return shown;
}

TEST(Export, ARowedPieceReadsBackInTheFitSdkGpsbabelAndXmllint) {
    const std::string out = std::string("/tmp/tamsi-export") + (sizeof(void*) == 4 ? "32" : "64");
    const std::string folder = "Z:\\tmp\\" + out.substr(5);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    TamsiProcess tamsi("export");
    WriteWorkout(tamsi.folder(), 1234567000, 2000.0);  // with a heart rate
    std::ofstream(tamsi.path("simmonitor.ini"))        // 300 m in seconds, on a PM5
        << "step=100\nrate=20\npace=40\npiece=300\npieces=2\nmodel=PM5\n";
    ASSERT_TRUE(tamsi.Start());
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return ListFolder(tamsi.path("data")).size() == 3; },
                                      60000));  // the first piece closed, the second begun
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", tamsi.folder().c_str());
    const auto rowed = Loaded(atoi(ListFolder(tamsi.path("data"))[1].c_str()));
    char name[64];
    FormatExportName(name, sizeof name, rowed->startTime, rowed->distance, EXPORT_FIT);

    HWND pane = tamsi.OpenLog();
    Click(pane, 1);  // rows by date: the 2009 workout, the rowed piece, the one going on
    PostMessageA(pane, WM_COMMAND, IDM_LOG_EXPORT, 0);
    EXPECT_EQ(SaveAs(0, folder + "\\" + name), name);
    ASSERT_TRUE(TamsiProcess::WaitFor([&] { return ListFolder(folder).size() == 1; }));
    PostMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0);
    PostMessageA(Shown("EntryWndClass"), WM_COMMAND, IDM_LOG_EXPORT, 0);
    const std::string tcx = std::string(name, strlen(name) - 3) + "tcx";
    EXPECT_EQ(SaveAs(1), tcx);  // the type renames it; the dialog starts in the last folder
    Click(pane, 0, MK_SHIFT);
    PostMessageA(pane, WM_COMMAND, IDM_LOG_EXPORT, 0);
    PostMessageA(Shown("#32770", "Browse for Folder"), WM_COMMAND, IDOK, 0);  // the last folder
    HWND question = Shown("#32770", "Confirm");
    EXPECT_FALSE(IsWindowEnabled(tamsi.window()));  // closing it now would pull the rug
    EXPECT_EQ(ItemText(question),
              folder + "\\" + name + " already exists.\nDo you want to replace it?");
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return ListFolder(folder).size() == 3; }));
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return IsWindowEnabled(tamsi.window()); }));
    EXPECT_EQ(tamsi.Close(), 0);

    const std::string check = "node " TAMSI_SOURCE_DIR "/tests/e2e/fit_check.js '" + out + "/";
    EXPECT_EQ(Host(check + name + "'"), ExpectedFit(*rowed));
    EXPECT_EQ(Host(check + "2009-02-13 2316 2000m.fit'"), ExpectedFit(*Loaded(1234567000)));

    const std::string read =
        Host("sh " TAMSI_SOURCE_DIR "/tests/e2e/tcx_check.sh '" + out + "/" + tcx + "'");
    char utc[32], expected[256];
    FormatUtcTime(utc, sizeof utc, rowed->startTime);
    snprintf(
        expected, sizeof expected,
        "well-formed\n<name>%s</name>\n%d points, 0 heart rates, %.2f s, %.1f m, %d kcal, %d W\n",
        utc, rowed->lastSample + 1, rowed->workTime / 100.0, rowed->distance, rowed->calories,
        rowed->avgPower);
    EXPECT_EQ(read, expected);
}

}  // namespace
