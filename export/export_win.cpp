// Export...: the Save As and folder dialogs, the overwrite question and the boxes around the
// window-free row file reader and file writers.
#include "export/export_results.h"

#include <commdlg.h>
#include <dlgs.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "export/export_file.h"
#include "log/log_catalog.h"
#include "log/log_list_selection.h"
#include "log/log_list_state.h"
#include "log/log_window.h"
#include "monitor/row_file.h"

namespace {

// Where the last export of the run went; the next dialog starts there.
char lastExportFolder[MAX_PATH];

void ShowError(HWND owner, const char* format, const char* path) {
    char text[2 * MAX_PATH];
    snprintf(text, sizeof text, format, path);
    MessageBoxA(owner, text, "Error", MB_ICONEXCLAMATION | MB_OK);
}

// A row file that is not valid has had the View action's box already.
bool Read(HWND owner, int32_t startTime, RowWorkout* workout) {
    RowFileRead read = ReadRowWorkout(startTime, workout);
    if (read == ROW_FILE_MISSING) {
        char path[BASE_DIRECTORY_SIZE + 64];
        FormatRowFilePath(path, sizeof path, startTime);
        ShowError(owner, "%s could not be read.", path);
    }
    return read == ROW_FILE_READ;
}

bool Write(HWND owner, const RowWorkout& workout, ExportFormat format, const char* path) {
    if (WriteExport(workout, format, path, ReplaceFileAtomically)) return true;
    ShowError(owner, "%s could not be written.", path);
    return false;
}

void RememberFolder(const char* path, size_t length) {
    if (length > 3 && path[length - 1] == '\\') length--;  // "C:\" keeps its backslash
    snprintf(lastExportFolder, sizeof lastExportFolder, "%.*s", (int)length, path);
}

// Choosing the other file type renames the suggested name to match, so that the name's
// extension always says what the file holds. (Wine's dialog also crashes on a name whose
// extension is not the chosen type's.)
UINT_PTR CALLBACK FollowFileType(HWND child, UINT message, WPARAM, LPARAM lParam) {
    const OFNOTIFYA* notice = (const OFNOTIFYA*)lParam;
    if (message != WM_NOTIFY || notice->hdr.code != CDN_TYPECHANGE) return 0;
    HWND dialog = GetParent(child);
    char name[MAX_PATH];
    if (SendMessageA(dialog, CDM_GETSPEC, sizeof name, (LPARAM)name) <= 0) return 0;
    size_t length = strlen(name);
    if (length < 4 || ExportFormatOfName(name, EXPORT_FIT) != ExportFormatOfName(name, EXPORT_TCX))
        return 0;  // neither .fit nor .tcx: the user's own name stays
    snprintf(name + length - 4, 5, notice->lpOFN->nFilterIndex == 2 ? ".tcx" : ".fit");
    for (int box : {cmb13, edt1}) SendMessageA(dialog, CDM_SETCONTROLTEXT, box, (LPARAM)name);
    return 0;
}

void ExportOne(HWND owner, int32_t startTime) {
    RowWorkout workout;
    if (!Read(owner, startTime, &workout)) return;
    char path[MAX_PATH];
    FormatExportName(path, sizeof path, startTime, workout.lines.back().distance, EXPORT_FIT);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "FIT activity (*.fit)\0*.fit\0TCX (*.tcx)\0*.tcx\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = lastExportFolder[0] != '\0' ? lastExportFolder : NULL;
    dialog.lpstrDefExt = "fit";
    dialog.lpfnHook = FollowFileType;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                   OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) return;
    RememberFolder(path, dialog.nFileOffset);
    // A name ending in .fit or .tcx says what it holds, whichever type is chosen below it.
    ExportFormat chosen = dialog.nFilterIndex == 2 ? EXPORT_TCX : EXPORT_FIT;
    Write(owner, workout, ExportFormatOfName(path, chosen), path);
}

int CALLBACK StartInLastFolder(HWND dialog, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED && lastExportFolder[0] != '\0')
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)lastExportFolder);
    return 0;
}

bool ChooseFolder(HWND owner, char* folder) {
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pszDisplayName = folder;
    browse.lpszTitle = "Export the selected workouts as FIT files into this folder:";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = StartInLastFolder;
    // The folder dialog's new style runs on COM, in this thread's apartment.
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    bool found = chosen != NULL && SHGetPathFromIDListA(chosen, folder);
    CoTaskMemFree(chosen);
    if (SUCCEEDED(com)) CoUninitialize();
    return found;
}

// While an export asks, the main window and the log wait: closing either destroys the owner
// of the open dialog or question, and Wine's file dialog does not survive that.
void HoldWindows(bool hold) {
    EnableWindow(mainWindow, !hold);
    if (listWindow != NULL) EnableWindow(GetAncestor(listWindow, GA_ROOT), !hold);
}

bool MayReplace(HWND owner, const char* path) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
    char question[2 * MAX_PATH];
    snprintf(question, sizeof question, "%s already exists.\nDo you want to replace it?", path);
    return MessageBoxA(owner, question, "Confirm", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void ExportSeveral(HWND owner, const int32_t* startTimes, int count) {
    char folder[MAX_PATH];
    if (!ChooseFolder(owner, folder)) return;
    RememberFolder(folder, strlen(folder));
    const char* separator = folder[strlen(folder) - 1] == '\\' ? "" : "\\";
    for (int i = 0; i < count; i++) {
        RowWorkout workout;
        if (!Read(owner, startTimes[i], &workout)) continue;
        char name[64], path[MAX_PATH + 64];
        FormatExportName(name, sizeof name, startTimes[i], workout.lines.back().distance,
                         EXPORT_FIT);
        snprintf(path, sizeof path, "%s%s%s", folder, separator, name);
        if (!MayReplace(owner, path)) continue;
        // A folder that takes one file takes them all: one box is enough.
        if (!Write(owner, workout, EXPORT_FIT, path)) return;
    }
}

}  // namespace

void ExportSelectedResults(HWND pane) {
    static int32_t startTimes[MAX_LOG_ENTRIES];
    int count = 0;
    for (int row = 0; row < logEntryCount; row++)
        if (IsRowSelected(row))
            startTimes[count++] = logEntries[logList.displayOrder[row]].startTime;
    HWND owner = GetAncestor(pane, GA_ROOT);
    HoldWindows(true);
    if (count == 1) ExportOne(owner, startTimes[0]);
    if (count > 1) ExportSeveral(owner, startTimes, count);
    HoldWindows(false);
}

void ExportShownResult(HWND window, const StrokeHistory* record) {
    if (record == NULL) return;
    HoldWindows(true);
    ExportOne(window, record->startTime);
    HoldWindows(false);
}
