// Printing through the real spooler (CUPS with its PDF printer), read back with poppler.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "log/entry_window.h"
#include "log/log_list_state.h"
#include "log/row_file_loader.h"
#include "print/print_results.h"
#include "print/printing_dialog.h"
#include "printed_pdf.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

struct Case {
    std::initializer_list<int> order, selectedRows;  // the log's slots, as displayed
    bool entry;                                      // Print in an entry window on slot 2
    int missingSlot;                                 // its row file gone
    bool yes, print, cancel;                         // the user's answers
    int copies, pages;  // pages as the "Printing" dialog counted them
    const char* pdf;
};
// What the dialogs showed.
volatile LONG shown, done;
char question[80];
HGLOBAL deviceMode;

// Answers the question, the print dialog and the "Printing" dialog as a user would.
DWORD WINAPI AnswerDialogs(void* parameter) {
    const Case* c = (const Case*)parameter;
    for (; !done; Sleep(50)) {
        if (HWND box = FindWindowA("#32770", "Confirm")) {
            GetDlgItemTextA(box, 0xFFFF, question, sizeof question);
            PostMessageA(GetDlgItem(box, c->yes ? IDYES : IDNO), BM_CLICK, 0, 0);
        }
        HWND dialog = FindWindowA("#32770", "Print");
        if (dialog && IsWindowVisible(dialog) && !shown) {
            shown = 1;
            deviceMode = printDeviceMode;
            SetDlgItemInt(dialog, 0x482, c->copies, FALSE);
            PostMessageA(GetDlgItem(dialog, c->print ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        HWND printing = FindWindowA("#32770", "Printing");
        if (printing && c->cancel) PostMessageA(GetDlgItem(printing, IDCANCEL), BM_CLICK, 0, 0);
    }
    return 0;
}

std::string pageTexts;  // what the "Printing" dialog showed, text by text

LRESULT CALLBACK WatchPageText(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == IDC_PRINTING_PAGE)
        pageTexts += std::string((const char*)call->lParam) + ";";
    return CallNextHookEx(NULL, code, wParam, lParam);
}

TEST(Printing, TheSelectionInDisplayOrderOrAnEntryWindowsWorkoutWithCopiesQuestionAndCancel) {
    ASSERT_TRUE(getenv("TAMSI_PDF_DIR")) << "scripts/test.sh starts the PDF printer";
    _putenv("TAMSI_SIM_START_DELAY=1000000");
    RemoveSettingsFile();
    ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    // A page is drawn by the size of the paper alone, even with the main window minimised.
    ShowWindow(mainWindow, SW_MINIMIZE);
    RegisterEntryWndClass(GetModuleHandleA(NULL));
    CreateDirectoryA((ProgramFolder() + "\\data").c_str(), NULL);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPageText, NULL, GetCurrentThreadId());
    Printed();
    // Each slot holds a workout of 1000 m times the slot.
    const Case cases[] = {
        {{3, 1, 2}, {0, 1, 2}, false, 1, true, true, false, 2, 4,
         "Printing Results: 4, 4: Distance: 3000.0 Distance: 2000.0 Distance: 3000.0 "
         "Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, false, 0, false, true, false, 1, -1, ""},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, true, 0, true, true, false, 2, 2,
         "Printing Results: 2, 2: Distance: 2000.0 Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4}, false, 0, true, false, false, 1, -1, ""},
        {{2}, {0}, false, 0, true, true, true, 20, 0, ""},  // the job abandoned
    };
    for (const auto& c : cases) {
        memset(logList.selected, 0, sizeof logList.selected);
        logEntryCount = 0;
        for (int slot : c.order) {
            logEntries[slot].startTime = 1700000000 + slot;
            WriteWorkout(ProgramFolder(), 1700000000 + slot, 1000.0 * slot);
            logList.displayOrder[logEntryCount++] = slot;
        }
        for (int row : c.selectedRows) logList.selected[logList.displayOrder[row]] = 1;
        StrokeHistory* record = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
        record->startTime = 1700000002;
        ASSERT_TRUE(LoadRowFile(record));
        HWND entry = CreateEntryWindow(NULL, record, 10, 30, 600, 400);  // frees the record
        DeleteFileA((ProgramFolder() + "\\data\\" + std::to_string(1700000000 + c.missingSlot) +
                     ".csv").c_str());
        shown = done = 0, question[0] = '\0';
        pageTexts.clear();
        HANDLE thread = CreateThread(NULL, 0, AnswerDialogs, (void*)&c, 0, NULL);
        if (c.entry) SendMessageA(entry, WM_COMMAND, IDM_LOG_PRINT, 0);
        else PrintResults(mainWindow, NULL);
        done = 1;
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
        DestroyWindow(entry);
        const bool asked = c.selectedRows.size() > 5 && !c.entry;
        EXPECT_STREQ(question, asked ? "Do you really want to print 6 results at once?" : "");
        EXPECT_EQ(shown, !asked || c.yes);
        if (shown && !c.print) {  // the block handed to the dialog is freed
            EXPECT_EQ(GlobalFlags(deviceMode), (UINT)GMEM_INVALID_HANDLE);
        }
        std::string counted;
        for (int page = 0; page <= c.pages; ++page)
            counted += "Printing Page " + std::to_string(page ? page : 1) + ";";
        if (!c.cancel) { EXPECT_EQ(pageTexts, counted); }
        EXPECT_EQ(Printed(), c.pdf);
        EXPECT_TRUE(IsWindowEnabled(mainWindow));
    }
    UnhookWindowsHookEx(hook);
    CloseMainWindow();
    RemoveSettingsFile();
}

}  // namespace
