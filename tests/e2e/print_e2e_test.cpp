// Printing from the real Tamsi.exe: the log's selection and an entry window, through the
// print dialog as a user drives it, read back from the PDF printer.
#include <gtest/gtest.h>
#include <stdio.h>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "tests/win/printed_pdf.h"

namespace {

HWND WindowOfClass(DWORD processId, const char* className) {
    HWND found = NULL;
    TamsiProcess::WaitFor([&] {
        for (HWND w = FindWindowA(className, NULL); w;
             w = FindWindowExA(NULL, w, className, NULL)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w)) found = w;
        }
        return found != NULL;
    });
    return found;
}

// Sets the copies and presses OK, as a user does.
bool PrintWithCopies(int copies) {
    HWND dialog = NULL;
    if (!TamsiProcess::WaitFor([&] { return (dialog = FindWindowA("#32770", "Print")) != NULL; }))
        return false;
    SetDlgItemInt(dialog, 0x482, copies, FALSE);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return TamsiProcess::WaitFor([&] { return !IsWindow(dialog); });
}

void Click(HWND pane, int row, WPARAM keys) {
    LPARAM at = MAKELPARAM(10, 25 + 20 * row);  // rows start 20 pixels below the pane's top
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    PostMessageA(pane, WM_LBUTTONUP, keys, at);
}

TEST(PrintE2e, TheLogsSelectionAndAnEntryWindowPrintWhileTamsiIsMinimised) {
    TamsiProcess tamsi("print", false);
    for (int i = 1; i <= 3; ++i) {
        FILE* file =
            fopen(tamsi.path("data\\" + std::to_string(1700000000 + i) + ".csv").c_str(), "w");
        fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n");
        for (int k = 1; k <= 20; ++k)
            fprintf(file, "%i,%.1f,0.220,%i,%i,%i,%i\n", 2100 * k, 50.0 * i * k, 140 + 5 * k, k,
                    22 + k % 4, 120 + k);
        fclose(file);
    }
    ASSERT_TRUE(tamsi.Start());
    Printed();
    tamsi.Command(IDM_ROWING_LOG);
    HWND pane = WindowOfClass(tamsi.processId(), "ListClass");
    ASSERT_TRUE(pane != NULL);
    Click(pane, 0, 0);
    Click(pane, 2, MK_SHIFT);
    PostMessageA(pane, WM_COMMAND, IDM_LOG_PRINT, 0);
    ASSERT_TRUE(PrintWithCopies(2));
    EXPECT_EQ(Printed().pdf,
              "Printing Results: 6, 6: Distance: 1000.0 Distance: 2000.0 Distance: 3000.0 "
              "Distance: 1000.0 Distance: 2000.0 Distance: 3000.0");

    Click(pane, 1, 0);
    PostMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0);
    HWND entry = WindowOfClass(tamsi.processId(), "EntryWndClass");
    ASSERT_TRUE(entry != NULL);
    MoveWindow(entry, 0, 0, 842, 595, TRUE);
    Sleep(500);
    SaveScreenshot("print-entry-window");
    ShowWindow(tamsi.window(), SW_MINIMIZE);
    PostMessageA(entry, WM_COMMAND, IDM_LOG_PRINT, 0);
    ASSERT_TRUE(PrintWithCopies(1));
    EXPECT_EQ(Printed().pdf, "Printing Results: 1, 1: Distance: 2000.0");
    Host(
        "pdftoppm -png -r 72 $(ls -t \"$TAMSI_PDF_DIR\"/*.pdf | head -1)"
        " \"${TAMSI_ARTIFACTS:-/tmp}/print-entry-page\"");
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
