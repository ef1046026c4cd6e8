// Failing stand-ins for the two monitor libraries.
#include "monitor/missing_library.h"

#include <stdio.h>

static void WriteMissingText(const char* library, char* buffer, uint16_t size) {
    if (buffer && size > 0) {
        snprintf(buffer, size, "%s is missing or incomplete in the program folder", library);
    }
}

static int16_t MONITOR_CALL MissingDdiInit(void) {
    return MISSING_LIBRARY_STATUS;
}
static int16_t MONITOR_CALL MissingDdiDiscover(const char*, uint16_t, uint16_t*) {
    return MISSING_LIBRARY_STATUS;
}
static int16_t MONITOR_CALL MissingDdiErrorName(int16_t, char* buffer, uint16_t size) {
    if (buffer && size > 0) snprintf(buffer, size, "MISSING_LIBRARY");
    return 0;
}
static int16_t MONITOR_CALL MissingDdiErrorText(int16_t, char* buffer, uint16_t size) {
    WriteMissingText(DDI_LIBRARY_NAME, buffer, size);
    return 0;
}
static int16_t MONITOR_CALL MissingDdiShutdown(int16_t) {
    return MISSING_LIBRARY_STATUS;
}

static int16_t MONITOR_CALL MissingCsafeInitProtocol(uint16_t) {
    return MISSING_LIBRARY_STATUS;
}
static int16_t MONITOR_CALL MissingCsafeCommand(uint16_t, uint16_t, uint32_t*, uint16_t*,
                                                uint32_t*) {
    return MISSING_LIBRARY_STATUS;
}
static void MONITOR_CALL MissingCsafeErrorText(int16_t, char* buffer, uint16_t size) {
    WriteMissingText(CSAFE_LIBRARY_NAME, buffer, size);
}

void UseMissingDdiLibrary(MonitorApi* api) {
    api->ddiInit = MissingDdiInit;
    api->ddiDiscoverPm3s = MissingDdiDiscover;
    api->ddiGetErrorName = MissingDdiErrorName;
    api->ddiGetErrorText = MissingDdiErrorText;
    api->ddiShutdown = MissingDdiShutdown;
}

void UseMissingCsafeLibrary(MonitorApi* api) {
    api->csafeInitProtocol = MissingCsafeInitProtocol;
    api->csafeCommand = MissingCsafeCommand;
    api->csafeGetErrorText = MissingCsafeErrorText;
}
