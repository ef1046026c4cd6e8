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
    bool entry;                                      // Print in an entry window on slot 1
    int missingSlot, invalidSlot;                    // row files gone, or holding no workout
    bool yes, print;                                 // the user's answers
    int cancelAt;  // Cancel as the "Printing" dialog shows its text N; 0 never, -1 refused job
    int copies, pages;  // pages as the "Printing" dialog counted them
    const char *events, *pdf;  // document calls, message boxes, the dialog shown by Print
};
// What the dialogs showed.
volatile LONG shown, done;
char question[80];
std::string events;
const Case* running;
HWND entry;

int WINAPI StartDocument(HDC printer, const DOCINFOA* document) {
    return (events += "start", running->cancelAt < 0) ? 0 : StartDocA(printer, document);
}
int WINAPI EndDocument(HDC printer) { return (events += " end", EndDoc(printer)); }
int WINAPI AbortDocument(HDC printer) { return (events += " abort", AbortDoc(printer)); }

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
            SetDlgItemInt(dialog, 0x482, c->copies, FALSE);
            PostMessageA(GetDlgItem(dialog, c->print ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        }
        for (const char* caption : {"Error", "Printing"}) {  // message boxes, not the dialog
            HWND box = FindWindowA("#32770", caption);
            char text[200] = "";
            if (!box || !GetDlgItemTextA(box, 0xFFFF, text, sizeof text)) continue;
            events += std::string(" ") + caption + ": " + text;
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return 0;
}

std::string pageTexts;  // what the "Printing" dialog showed, text by text
int texts;

LRESULT CALLBACK WatchPageText(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (call->message != WM_SETTEXT || GetDlgCtrlID(call->hwnd) != IDC_PRINTING_PAGE)
        return CallNextHookEx(NULL, code, wParam, lParam);
    pageTexts += std::string((const char*)call->lParam) + ";";
    if (++texts == running->cancelAt) {  // Print again first: the dialog comes forward
        SetForegroundWindow(entry);
        SendMessageA(entry, WM_COMMAND, IDM_LOG_PRINT, 0);
        bool shown = GetForegroundWindow() == printingDialog && IsWindowVisible(printingDialog);
        events += shown ? " shown" : " hidden";
        PostMessageA(GetDlgItem(printingDialog, IDCANCEL), BM_CLICK, 0, 0);
    }
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
        {{3, 1, 2}, {0, 1, 2}, false, 1, 0, true, true, 0, 2, 4, "start end",
         "Printing Results: 4, 4: Distance: 3000.0 Distance: 2000.0 Distance: 3000.0 "
         "Distance: 2000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, false, 0, 0, false, true, 0, 1, -1, "", ""},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5}, true, 0, 0, true, true, 0, 2, 2, "start end",
         "Printing Results: 2, 2: Distance: 1000.0 Distance: 1000.0"},
        {{1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4}, false, 0, 0, true, false, 0, 1, -1, "", ""},
        // Cancelled at page 1: the invalid file after it is not loaded; the job is abandoned,
        // also when the page was the last.
        {{2, 3}, {0, 1}, false, 0, 3, true, true, 2, 1, 1, "start shown abort", ""},
        {{2}, {0}, false, 0, 0, true, true, 2, 1, 1, "start shown abort", ""},
        {{2}, {0}, false, 0, 0, true, true, -1, 1, -1,
         "start Printing: The printer could not start printing.", ""},
    };
    printSpooler = {StartDocument, EndDocument, AbortDocument};
    for (const auto& c : cases) {
        running = &c;
        events.clear();
        memset(logList.selected, 0, sizeof logList.selected);
        logEntryCount = 0;
        for (int slot : c.order) {
            logEntries[slot].startTime = 1700000000 + slot;
            WriteWorkout(ProgramFolder(), 1700000000 + slot, 1000.0 * slot);
            logList.displayOrder[logEntryCount++] = slot;
        }
        for (int row : c.selectedRows) logList.selected[logList.displayOrder[row]] = 1;
        StrokeHistory* record = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
        record->startTime = 1700000001;
        ASSERT_TRUE(LoadRowFile(record));
        entry = CreateEntryWindow(NULL, record, 10, 30, 600, 400);  // frees the record
        const std::string data = ProgramFolder() + "\\data\\";
        DeleteFileA((data + std::to_string(1700000000 + c.missingSlot) + ".csv").c_str());
        if (c.invalidSlot)
            fclose(fopen((data + std::to_string(1700000000 + c.invalidSlot) + ".csv").c_str(), "w"));
        shown = done = 0, question[0] = '\0';
        pageTexts.clear(), texts = 0;
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
        std::string counted;
        for (int page = 0; page <= c.pages; ++page)
            counted += "Printing Page " + std::to_string(page ? page : 1) + ";";
        EXPECT_EQ(pageTexts, counted);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(Printed(), c.pdf);
        EXPECT_TRUE(IsWindowEnabled(mainWindow));
    }
    UnhookWindowsHookEx(hook);
    printSpooler = {StartDocA, EndDoc, AbortDoc};
    CloseMainWindow();
    RemoveSettingsFile();
}

}  // namespace
