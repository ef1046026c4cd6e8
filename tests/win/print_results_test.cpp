// Printing through the real spooler (CUPS with its PDF printer), read back with poppler.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "app/main_window.h"
#include "app/startup.h"
#include "log/log_list_state.h"
#include "log/row_file_loader.h"
#include "print/print_results.h"
#include "print/printing_dialog.h"
#include "printed_pdf.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

struct Answers {
    bool yes = true, print = true, cancelPrinting = false;
    int copies = 1;
    volatile LONG shown = 0, mainDisabled = 0, done = 0;
    char question[80] = "";
    HGLOBAL deviceMode = NULL;
};

// Answers the question, the print dialog and the "Printing" dialog as a user would.
DWORD WINAPI AnswerDialogs(void* parameter) {
    Answers* a = (Answers*)parameter;
    for (; !a->done; Sleep(50)) {
        if (HWND box = FindWindowA("#32770", "Confirm")) {
            GetDlgItemTextA(box, 0xFFFF, a->question, sizeof a->question);
            PostMessageA(GetDlgItem(box, a->yes ? IDYES : IDNO), BM_CLICK, 0, 0);
        }
        HWND dialog = FindWindowA("#32770", "Print");
        if (dialog && IsWindowVisible(dialog) && !a->shown) {
            a->shown = 1;
            a->deviceMode = printDeviceMode;
            SetDlgItemInt(dialog, 0x482, a->copies, FALSE);
            PostMessageA(GetDlgItem(dialog, a->print ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        if (HWND printing = FindWindowA("#32770", "Printing")) {
            if (!IsWindowEnabled(mainWindow)) a->mainDisabled = 1;
            if (a->cancelPrinting) PostMessageA(GetDlgItem(printing, IDCANCEL), BM_CLICK, 0, 0);
        }
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

void PrintAnswering(Answers* answers, const StrokeHistory* record) {
    pageTexts.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPageText, NULL, GetCurrentThreadId());
    HANDLE thread = CreateThread(NULL, 0, AnswerDialogs, answers, 0, NULL);
    PrintResults(mainWindow, record);
    answers->done = 1;
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    UnhookWindowsHookEx(hook);
}

// The log lists slots in the order given, each a workout of 1000 m times its slot; the rows
// given are selected.
void SetLog(std::initializer_list<int> order, std::initializer_list<int> selectedRows) {
    CreateDirectoryA((ProgramFolder() + "\\data").c_str(), NULL);
    memset(logList.selected, 0, sizeof logList.selected);
    logEntryCount = 0;
    for (int slot : order) {
        logEntries[slot].startTime = 1700000000 + slot;
        WriteWorkout(ProgramFolder(), 1700000000 + slot, 1000.0 * slot);
        logList.displayOrder[logEntryCount++] = slot;
    }
    for (int row : selectedRows) logList.selected[logList.displayOrder[row]] = 1;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(getenv("TAMSI_PDF_DIR")) << "scripts/test.sh starts the PDF printer";
        _putenv("TAMSI_SIM_START_DELAY=1000000");
        RemoveSettingsFile();
        ASSERT_TRUE(StartTamsi(GetModuleHandleA(NULL), SW_SHOWNORMAL));
        // A page is drawn by the size of the paper alone, even with the main window minimised.
        ShowWindow(mainWindow, SW_MINIMIZE);
        Printed();
        record->startTime = 1700000002;
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) CloseMainWindow();
        RemoveSettingsFile();
    }
    StrokeHistory* record = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
    ~Printing() { free(record); }
};

TEST_F(Printing, SelectionInDisplayOrderOrOneEntryWithCopiesQuestionAndMissingFiles) {
    const struct {
        std::initializer_list<int> order, selectedRows;
        bool entry;  // print the loaded record of slot 2, as an entry window does
        int missingSlot;
        bool yes, print;
        int copies;
        bool asked;
        int pages;  // as the "Printing" dialog counted them
        const char* pdf;
    } cases[] = {
        // clang-format off
        {{3, 1, 2}, {0, 1, 2}, false, 0, true, true, 2, false, 6,
         "Printing Results: 6, 6: Distance: 3000.0 Distance: 1000.0 Distance: 2000.0 "
         "Distance: 3000.0 Distance: 1000.0 Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, false, 0, false, true, 1, true, -1, ""},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, true, 0, true, true, 2, false, 2,
         "Printing Results: 2, 2: Distance: 2000.0 Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4}, false, 0, true, false, 1, false, -1, ""},
        // cups-pdf gives a document without pages one blank page
        {{2, 1}, {}, false, 0, true, true, 1, false, 0, "Printing Results: 1, 1:"},
        {{1, 2, 3}, {0, 1, 2}, false, 2, true, true, 1, false, 2,
         "Printing Results: 2, 2: Distance: 1000.0 Distance: 3000.0"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SetLog(c.order, c.selectedRows);
        ASSERT_TRUE(!c.entry || LoadRowFile(record));
        std::string missing = std::to_string(1700000000 + c.missingSlot);
        DeleteFileA((ProgramFolder() + "\\data\\" + missing + ".csv").c_str());
        Answers answers;
        answers.yes = c.yes, answers.print = c.print, answers.copies = c.copies;
        PrintAnswering(&answers, c.entry ? record : NULL);
        EXPECT_STREQ(answers.question,
                     c.asked ? "Do you really want to print 6 results at once?" : "");
        EXPECT_EQ(answers.shown, !c.asked || c.yes);
        if (answers.shown && !c.print) {  // the block handed to the dialog is freed
            EXPECT_EQ(GlobalFlags(answers.deviceMode), (UINT)GMEM_INVALID_HANDLE);
        }
        std::string counted;
        for (int page = 0; page <= c.pages; ++page)
            counted += "Printing Page " + std::to_string(page ? page : 1) + ";";
        EXPECT_EQ(pageTexts, counted);
        EXPECT_EQ(Printed(), c.pdf);
    }
}

TEST_F(Printing, CancelInThePrintingDialogEnablesTheMainWindowAndGivesTheFocusBack) {
    // Another window of the program, which the system would activate in the main window's place.
    HWND other = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 30, 300, 200,
                               NULL, NULL, NULL, NULL);
    ShowWindow(mainWindow, SW_RESTORE);
    SetFocus(mainWindow);
    SetLog({2}, {});
    ASSERT_TRUE(LoadRowFile(record));
    Answers answers;
    answers.copies = 20, answers.cancelPrinting = true;
    PrintAnswering(&answers, record);
    EXPECT_TRUE(answers.mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetFocus(), mainWindow);
    EXPECT_TRUE(printingDialog == NULL);
    EXPECT_EQ(Printed(), "");  // the job was abandoned
    DestroyWindow(other);
}

}  // namespace
