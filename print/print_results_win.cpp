// Printing results, one workout a page: the question, the print dialog preset to landscape,
// and the spooled document "Printing Results" with the "Printing" dialog counting its pages.
#include "print/print_results.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <commdlg.h>
#include <winspool.h>

#include "app/main_window.h"
#include "display/draw_panel.h"
#include "log/log_catalog.h"
#include "log/log_list_state.h"
#include "log/row_file_loader.h"
#include "print/print_job.h"
#include "print/print_selection.h"
#include "print/printing_dialog.h"

HGLOBAL printDeviceMode;
PrintSpoolerCalls printSpooler = {StartDocA, EndDoc, AbortDoc};

namespace {

// The device mode in its 148-byte form (without the panning fields): all the block has to
// carry is landscape and one copy.
const WORD DEVICE_MODE_SIZE = 148;
const WORD DEVICE_MODE_VERSION = 0x0400;
static_assert(offsetof(DEVMODEA, dmPanningWidth) == DEVICE_MODE_SIZE, "148-byte device mode");

// A second Print (from another entry window, or the log, which stay usable meanwhile) would
// share the job's dialog and flags: it shows the running job's "Printing" dialog instead.
bool printJobRunning;
int32_t printStartTimes[MAX_LOG_ENTRIES];

bool ConfirmPrint(HWND owner, int count) {
    char question[PRINT_TEXT_SIZE];
    FormatPrintQuestion(question, sizeof question, count);
    return MessageBoxA(owner, question, "Confirm", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// An empty device name stands for the default printer on Windows, but Wine then ignores the
// whole block and prints portrait; the default printer's own name works on both.
HGLOBAL MakeDeviceModeBlock() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DEVICE_MODE_SIZE);
    DEVMODEA* mode = (DEVMODEA*)GlobalLock(block);
    if (mode == NULL) return block;
    mode->dmSpecVersion = DEVICE_MODE_VERSION;
    mode->dmSize = DEVICE_MODE_SIZE;
    mode->dmFields = DM_ORIENTATION;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmCopies = 1;
    DWORD size = sizeof mode->dmDeviceName;
    if (!GetDefaultPrinterA((char*)mode->dmDeviceName, &size)) mode->dmDeviceName[0] = 0;
    GlobalUnlock(block);
    return block;
}

void FreePrintDialogResults(PRINTDLGA* dialog) {
    if (dialog->hDC != NULL) DeleteDC(dialog->hDC);
    if (dialog->hDevMode != NULL) GlobalFree(dialog->hDevMode);
    if (dialog->hDevNames != NULL) GlobalFree(dialog->hDevNames);
}

// True with a printer context in dialog->hDC; on a cancel or failure everything the dialog
// handed back is already freed.
bool RunPrintDialog(HWND owner, PRINTDLGA* dialog) {
    memset(dialog, 0, sizeof *dialog);
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = owner;
    dialog->hDevMode = MakeDeviceModeBlock();
    dialog->Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
    dialog->nFromPage = 1;
    dialog->nToPage = 1;
    dialog->nMinPage = 1;
    dialog->nMaxPage = 1000;
    dialog->nCopies = 1;
    dialog->hInstance = moduleInstance;
    printDeviceMode = dialog->hDevMode;
    bool chosen = PrintDlgA(dialog) && dialog->hDC != NULL;
    printDeviceMode = NULL;
    if (!chosen) FreePrintDialogResults(dialog);
    return chosen;
}

struct PrintingJob {
    HDC printer;
    StrokeHistory* record;
    int page;
};

// A file that does not load gives no page; the loader has said why where it can.
bool LoadResult(void* context, int32_t startTime) {
    StrokeHistory* record = ((PrintingJob*)context)->record;
    record->startTime = startTime;
    return LoadRowFile(record);
}

// Windows' spooler calls the abort procedure while it works; Wine's never does, so it is also
// called after each page: the "Printing" dialog's Cancel and the rest of the program are
// served between pages on both.
void PrintPage(void* context) {
    PrintingJob* job = (PrintingJob*)context;
    ShowPrintingPage(job->page);
    StartPage(job->printer);
    DrawPanel(job->printer, job->record, 1);
    EndPage(job->printer);
    ++job->page;
    PrintAbortProc(job->printer, 0);
}

bool PrintGoesOn(void*) {
    return printContinue != 0;
}

void PrintDocument(HWND owner, HDC printer, StrokeHistory* record, bool loaded, int count,
                   int copies) {
    PrintingJob job = {printer, record, 1};
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = "Printing Results";
    if (printSpooler.startDoc(printer, &document) <= 0) {
        MessageBoxA(owner, "The printer could not start printing.", "Printing",
                    MB_OK | MB_ICONWARNING);
        return;
    }
    printContinue = 1;
    SetAbortProc(printer, PrintAbortProc);
    OpenPrintingDialog(job.page);
    PrintJobSteps steps = {LoadResult, PrintPage, PrintGoesOn, &job};
    bool finished = RunPrintJob(steps, loaded ? NULL : printStartTimes, count, copies);
    if (printingDialog != NULL) DestroyWindow(printingDialog);
    printingDialog = NULL;
    // A cancelled job, even one cancelled at its last page, is abandoned, not printed.
    if (finished) printSpooler.endDoc(printer);
    else printSpooler.abortDoc(printer);
}

// Shown even while the main window, its owner, is minimised and hides it.
void BringPrintingDialogForward() {
    if (printingDialog == NULL) return;
    ShowWindow(printingDialog, SW_SHOW);
    SetForegroundWindow(printingDialog);
}

}  // namespace

void PrintResults(HWND owner, const StrokeHistory* record) {
    if (printJobRunning) {
        BringPrintingDialogForward();
        return;
    }
    // The pages are drawn from a copy of the given record: the log window, which owns the entry
    // window that owns the record, stays usable meanwhile and may be closed. The selection is
    // taken once, as start times, so a change of the log during the job cannot change it.
    StrokeHistory* job = (StrokeHistory*)malloc(sizeof *job);
    if (job == NULL) return;
    printJobRunning = true;
    int count = 0;
    if (record != NULL) {
        memcpy(job, record, sizeof *job);
    } else {
        count = SelectedStartTimes(logList, logEntries, logEntryCount, printStartTimes);
    }
    PRINTDLGA dialog;
    if ((!PrintNeedsConfirmation(count) || ConfirmPrint(owner, count)) &&
        RunPrintDialog(owner, &dialog)) {
        PrintDocument(owner, dialog.hDC, job, record != NULL, count, dialog.nCopies);
        FreePrintDialogResults(&dialog);
    }
    free(job);
    printJobRunning = false;
}
