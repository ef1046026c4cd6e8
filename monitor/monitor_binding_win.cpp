// Run-time binding of the monitor libraries. A program bound to them at load time would not
// start at all without them, taking the rowing log, printing and upload down too.
#include "monitor/monitor_binding.h"

#include <windows.h>
#include <stdio.h>

#include "app/app_state.h"
#include "monitor/missing_library.h"
#include "monitor/monitor_api.h"

static HMODULE LoadFromProgramFolder(const char* name) {
    char path[MAX_PATH + 32];
    snprintf(path, sizeof path, "%s\\%s", programDirectory, name);
    // The altered search path lets a library find its own dependencies beside it.
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <typename Fn>
static bool Bind(HMODULE library, const char* name, Fn* entry) {
    FARPROC address = library ? GetProcAddress(library, name) : NULL;
    *entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
    return address != NULL;
}

void UseMissingMonitorLibraries() {
    UseMissingLibraries(&monitorApi, true, true);
}

void BindMonitorLibraries() {
    MonitorApi bound = {};
    HMODULE ddi = LoadFromProgramFolder(DDI_LIBRARY_NAME);
    bool ddiComplete = Bind(ddi, "tkcmdsetDDI_init", &bound.ddiInit) &
                       Bind(ddi, "tkcmdsetDDI_discover_pm3s", &bound.ddiDiscoverPm3s) &
                       Bind(ddi, "tkcmdsetDDI_get_error_name", &bound.ddiGetErrorName) &
                       Bind(ddi, "tkcmdsetDDI_get_error_text", &bound.ddiGetErrorText) &
                       Bind(ddi, "tkcmdsetDDI_shutdown", &bound.ddiShutdown);
    HMODULE csafe = LoadFromProgramFolder(CSAFE_LIBRARY_NAME);
    bool csafeComplete = Bind(csafe, "tkcmdsetCSAFE_init_protocol", &bound.csafeInitProtocol) &
                         Bind(csafe, "tkcmdsetCSAFE_command", &bound.csafeCommand) &
                         Bind(csafe, "tkcmdsetCSAFE_get_error_text", &bound.csafeGetErrorText);
    UseMissingLibraries(&bound, !ddiComplete, !csafeComplete);
    monitorApi = bound;
}
