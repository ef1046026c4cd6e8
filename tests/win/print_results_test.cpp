// Printing through the real spooler (CUPS with its PDF printer), read back with poppler.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/main_window.h"
#include "app/startup.h"
#include "log/log_catalog.h"
#include "log/log_list_state.h"
#include "resources/resource.h"
#include "print/print_results.h"
#include "print/printing_dialog.h"
#include "printed_pdf.h"
#include "win_test_support.h"

namespace {

struct DialogAnswers {
    bool yes = true;
    int copies = 1;
    bool print = true;
    bool cancelPrinting = false;
    volatile LONG asked = 0, shown = 0, preset = 0, mainDisabled = 0, done = 0;
    HGLOBAL deviceMode = NULL;
};

// Answers the question, the print dialog and the "Printing" dialog the way a user would,
// from a thread of its own.
DWORD WINAPI AnswerDialogs(void* parameter) {
    DialogAnswers* a = (DialogAnswers*)parameter;
    for (; !a->done; Sleep(50)) {
        if (HWND box = FindWindowA("#32770", "Confirm")) {
            a->asked = 1;
            PostMessageA(GetDlgItem(box, a->yes ? IDYES : IDNO), BM_CLICK, 0, 0);
        }
        HWND dialog = FindWindowA("#32770", "Print");
        if (dialog && IsWindowVisible(dialog) && !a->shown) {
            a->shown = 1;
            a->deviceMode = printDeviceMode;
            // One copy; neither a selection nor a page range to choose; no print to file.
            a->preset = GetDlgItemInt(dialog, 0x482, NULL, FALSE) == 1 &&
                        !IsWindowEnabled(GetDlgItem(dialog, 0x421)) &&
                        !IsWindowEnabled(GetDlgItem(dialog, 0x422)) &&
                        !IsWindowVisible(GetDlgItem(dialog, 0x410));
            SetDlgItemInt(dialog, 0x482, a->copies, FALSE);  // the copies field
            PostMessageA(GetDlgItem(dialog, a->print ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        if (HWND printing = FindWindowA("#32770", "Printing")) {
            if (!IsWindowEnabled(mainWindow)) a->mainDisabled = 1;
            if (a->cancelPrinting) PostMessageA(GetDlgItem(printing, IDCANCEL), BM_CLICK, 0, 0);
        }
    }
    return 0;
}

std::string pageTexts;

// Collects the texts the "Printing" dialog shows, one per page.
LRESULT CALLBACK WatchPageText(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == IDC_PRINTING_PAGE)
        pageTexts += std::string((const char*)call->lParam) + ";";
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void PrintAnswering(DialogAnswers* answers, HWND owner, const StrokeHistory* record) {
    pageTexts.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPageText, NULL, GetCurrentThreadId());
    HANDLE thread = CreateThread(NULL, 0, AnswerDialogs, answers, 0, NULL);
    PrintResults(owner, record);
    answers->done = 1;
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    UnhookWindowsHookEx(hook);
}

// Finished workouts whose distance tells their pages apart.
const int32_t FIRST_START = 1700000000;

void WriteRowFile(int32_t startTime, double metres) {
    CreateDirectoryA((ProgramFolder() + "\\data").c_str(), NULL);
    std::string path = ProgramFolder() + "\\data\\" + std::to_string(startTime) + ".csv";
    FILE* file = fopen(path.c_str(), "w");
    fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n");
    for (int i = 1; i <= 10; ++i)
        fprintf(file, "%i,%.1f,0.210,%i,%i,%i,0\n", 4200 * i, metres * i / 10, 150 + 10 * i, i,
                24 + i % 3);
    fclose(file);
}

// The log lists slots 1..rows in the display order given; rows marked selected are.
void SetLog(std::initializer_list<int> order, std::initializer_list<int> selectedRows) {
    memset(logList.selected, 0, sizeof logList.selected);
    logEntryCount = 0;
    for (int slot : order) {
        logEntries[slot].startTime = FIRST_START + slot;
        WriteRowFile(FIRST_START + slot, 1000.0 * slot);
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
        jobsBefore = Printed().jobs;
    }
    void TearDown() override {
        if (mainWindow && IsWindow(mainWindow)) CloseMainWindow();
        RemoveSettingsFile();
    }
    int jobsBefore;
};

TEST_F(Printing, TheSelectionInDisplayOrderAsksAboveFiveAndSkipsMissingFiles) {
    const struct {
        std::initializer_list<int> order, selectedRows;
        int missingSlot;
        bool yes, print;
        int copies;
        bool asked, shown;
        int jobs, pages;  // jobs the printer completed, pages counted in the "Printing" dialog
        const char* pdf;
    } cases[] = {
        {{3, 1, 2},
         {0, 1, 2},
         0,
         true,
         true,
         2,
         false,
         true,
         1,
         6,
         "Printing Results: 6, 6: Distance: 3000.0 Distance: 1000.0 Distance: 2000.0 "
         "Distance: 3000.0 Distance: 1000.0 Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, 0, false, true, 1, true, false, 0, -1, ""},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4}, 0, true, false, 1, false, true, 0, -1, ""},
        // cups-pdf gives a document without pages one blank page
        {{2, 1}, {}, 0, true, true, 1, false, true, 1, 0, "Printing Results: 1, 1:"},
        {{1, 2, 3},
         {0, 1, 2},
         2,
         true,
         true,
         1,
         false,
         true,
         1,
         2,
         "Printing Results: 2, 2: Distance: 1000.0 Distance: 3000.0"},
    };
    for (const auto& c : cases) {
        SetLog(c.order, c.selectedRows);
        if (c.missingSlot)
            DeleteFileA((ProgramFolder() + "\\data\\" +
                         std::to_string(FIRST_START + c.missingSlot) + ".csv")
                            .c_str());
        DialogAnswers answers;
        answers.yes = c.yes;
        answers.print = c.print;
        answers.copies = c.copies;
        PrintAnswering(&answers, mainWindow, NULL);
        EXPECT_EQ(answers.asked, c.asked);
        EXPECT_EQ(answers.shown, c.shown);
        EXPECT_EQ(answers.preset, c.shown);
        if (c.shown && !c.print) {  // the block the dialog was given is freed
            EXPECT_TRUE(answers.deviceMode != NULL);
            EXPECT_EQ(GlobalFlags(answers.deviceMode), (UINT)GMEM_INVALID_HANDLE);
        }
        std::string counted;
        for (int page = 0; page <= c.pages; ++page)
            counted += "Printing Page " + std::to_string(page ? page : 1) + ";";
        EXPECT_EQ(pageTexts, counted);
        Outcome printed = Printed();
        EXPECT_EQ(printed.jobs - jobsBefore, c.jobs);
        EXPECT_EQ(printed.pdf, c.pdf);
        jobsBefore = printed.jobs;
    }
}

StrokeHistory* FinishedWorkout() {
    StrokeHistory* h = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
    h->lastSample = 10;
    for (int i = 0; i <= 10; ++i) {
        h->power[i] = 150 + 10 * i;
        h->strokeRate[i] = 24 + i % 3;
        h->pace[i] = 0.25 - 0.004 * i;
    }
    h->workTime = 42000;
    h->distance = 2000;
    h->avgPower = 200;
    h->avgStrokeRate = 25;
    return h;
}

TEST_F(Printing, AnEntryPrintsOnePagePerCopyNeverAsksAndDrawsWhileTamsiIsMinimised) {
    SetLog({1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5});
    ShowWindow(mainWindow, SW_MINIMIZE);
    StrokeHistory* record = FinishedWorkout();
    DialogAnswers answers;
    answers.copies = 2;
    PrintAnswering(&answers, mainWindow, record);
    free(record);
    EXPECT_FALSE(answers.asked);
    EXPECT_EQ(pageTexts, "Printing Page 1;Printing Page 1;Printing Page 2;");
    EXPECT_EQ(Printed().pdf, "Printing Results: 2, 2: Distance: 2000.0 Distance: 2000.0");
    // A picture of the page, to look at beside an entry window.
    Host(
        "pdftoppm -png -r 60 -f 1 -l 1 $(ls -t \"$TAMSI_PDF_DIR\"/*.pdf | head -1)"
        " \"${TAMSI_ARTIFACTS:-/tmp}/printed-minimised\"");
}

TEST_F(Printing, CancelInThePrintingDialogEnablesTheMainWindowAndGivesTheFocusBack) {
    // Another window of the program, which the system would activate in the main window's place.
    HWND other = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 30, 300, 200,
                               NULL, NULL, NULL, NULL);
    SetFocus(mainWindow);
    StrokeHistory* record = FinishedWorkout();
    DialogAnswers answers;
    answers.copies = 20;
    answers.cancelPrinting = true;
    PrintAnswering(&answers, mainWindow, record);
    free(record);
    EXPECT_TRUE(answers.mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetFocus(), mainWindow);
    EXPECT_TRUE(printingDialog == NULL);
    EXPECT_EQ(Printed().jobs, jobsBefore);  // the job was abandoned
    DestroyWindow(other);
}

}  // namespace
