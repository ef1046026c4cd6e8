// Failing stand-ins for the two monitor libraries.
#include "monitor/missing_library.h"

#include <stdio.h>

// What every stand-in's error text says: the names of the files that are missing.
static char missingText[ERROR_TEXT_SIZE];

static void WriteMissingText(char* buffer, uint16_t size) {
    if (buffer && size > 0) snprintf(buffer, size, "%s", missingText);
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
    WriteMissingText(buffer, size);
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
    WriteMissingText(buffer, size);
}

void UseMissingLibraries(MonitorApi* api, bool ddiMissing, bool csafeMissing) {
    if (!ddiMissing && !csafeMissing) return;
    if (ddiMissing && csafeMissing) {
        snprintf(missingText, sizeof missingText,
                 "%s and %s are missing or incomplete in the program folder", DDI_LIBRARY_NAME,
                 CSAFE_LIBRARY_NAME);
    } else {
        snprintf(missingText, sizeof missingText,
                 "%s is missing or incomplete in the program folder",
                 ddiMissing ? DDI_LIBRARY_NAME : CSAFE_LIBRARY_NAME);
    }
    if (ddiMissing) {
        api->ddiInit = MissingDdiInit;
        api->ddiDiscoverPm3s = MissingDdiDiscover;
        api->ddiGetErrorName = MissingDdiErrorName;
        api->ddiGetErrorText = MissingDdiErrorText;
        api->ddiShutdown = MissingDdiShutdown;
    }
    api->csafeInitProtocol = MissingCsafeInitProtocol;
    api->csafeCommand = MissingCsafeCommand;
    api->csafeGetErrorText = MissingCsafeErrorText;
}
