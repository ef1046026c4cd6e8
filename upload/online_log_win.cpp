// Tools, Update Online Log: every result recorded since the last successful upload.
#include "upload/online_log.h"

#include "app/main_window.h"
#include "monitor/recorder.h"
#include "settings/settings.h"
#include "upload/upload_results.h"
#include "upload/upload_win.h"

void UpdateOnlineLog() {
    if (UploadRunning()) return;  // one upload at a time
    ScanLogCatalog();
    static LogEntry* list[MAX_LOG_ENTRIES];
    const int count = CollectNewResults(list, settings.lastUploadTime, rowFileSeconds);
    if (count == 0) {
        uploadMessageBox(mainWindow, "No new entries found to be uploaded.", "Notice", MB_OK);
        return;
    }
    UploadResults(list, count);
}
