// Printing from the real Tamsi.exe, from the log's selection and from an entry window, through
// the print dialog as a user drives it, read back from the PDF printer.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "tests/win/printed_pdf.h"

namespace {

HWND Shown(const char* className, const char* title) {
    HWND found = NULL;
    TamsiProcess::WaitFor([&] { return (found = FindWindowA(className, title)) != NULL; });
    return found;
}

// Types the copies into the print dialog, once it shows, and presses OK.
void PrintWithCopies(int copies) {
    HWND dialog = NULL;
    TamsiProcess::WaitFor([&] {
        dialog = FindWindowA("#32770", "Print");
        return dialog != NULL && IsWindowVisible(dialog);
    });
    SetDlgItemInt(dialog, 0x482, copies, FALSE);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// The next PDF the printer makes.
std::string NextPdf() {
    std::string pdf;
    TamsiProcess::WaitFor([&] { return !(pdf = Printed()).empty(); }, 30000);
    return pdf;
}

void Click(HWND pane, int row, WPARAM keys) {  // rows start 20 pixels below the pane's top
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(10, 25 + 20 * row));
}

TEST(PrintE2e, TheLogsSelectionAndAnEntryWindowWhileTamsiIsMinimised) {
    TamsiProcess tamsi("print", false);
    for (int i = 1; i <= 3; ++i) WriteWorkout(tamsi.folder(), 1700000000 + i, 1000.0 * i);
    ASSERT_TRUE(tamsi.Start());
    Printed();
    tamsi.Command(IDM_ROWING_LOG);
    HWND pane = NULL;  // the list pane inside the log frame
    ASSERT_TRUE(TamsiProcess::WaitFor([&] {
        return (pane = FindWindowExA(FindWindowA("ListWndClass", NULL), NULL, "ListClass", NULL));
    }));
    Click(pane, 0, 0);
    Click(pane, 2, MK_SHIFT);
    PostMessageA(pane, WM_COMMAND, IDM_LOG_PRINT, 0);
    PrintWithCopies(2);
    EXPECT_EQ(NextPdf(),
              "Printing Results: 6, 6: Distance: 1000.0 Distance: 2000.0 Distance: 3000.0 "
              "Distance: 1000.0 Distance: 2000.0 Distance: 3000.0");

    Click(pane, 1, 0);
    PostMessageA(pane, WM_COMMAND, IDM_LOG_VIEW, 0);
    HWND entry = Shown("EntryWndClass", NULL);
    ASSERT_TRUE(entry != NULL);
    SaveScreenshot("print-entry-window");
    ShowWindow(tamsi.window(), SW_MINIMIZE);
    PostMessageA(entry, WM_COMMAND, IDM_LOG_PRINT, 0);
    PrintWithCopies(1);
    EXPECT_EQ(NextPdf(), "Printing Results: 1, 1: Distance: 2000.0");
    Host(
        "pdftoppm -png -r 72 $(ls -t \"$TAMSI_PDF_DIR\"/*.pdf | head -1)"
        " \"${TAMSI_ARTIFACTS:-/tmp}/print-entry-page\"");
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
