// The eight operations of the monitor maker's two libraries, as Tamsi calls them.
// PM3DDICP.dll discovers monitors; PM3CsafeCP.dll carries CSAFE requests to them.
// Every operation uses the C calling convention and returns a signed 16-bit status,
// 0 for success. Tamsi binds them by name at start-up (monitor_binding_win.cpp), so
// the program starts even when a library is missing.
#pragma once
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define MONITOR_CALL __cdecl
#else
#define MONITOR_CALL
#endif

typedef int16_t(MONITOR_CALL* DdiInitFn)(void);
typedef int16_t(MONITOR_CALL* DdiDiscoverFn)(const char* productName, uint16_t startAddress,
                                             uint16_t* count);
typedef int16_t(MONITOR_CALL* DdiErrorNameFn)(int16_t code, char* buffer, uint16_t size);
typedef int16_t(MONITOR_CALL* DdiErrorTextFn)(int16_t code, char* buffer, uint16_t size);
typedef int16_t(MONITOR_CALL* DdiShutdownFn)(int16_t port);
typedef int16_t(MONITOR_CALL* CsafeInitProtocolFn)(uint16_t timeout);
typedef int16_t(MONITOR_CALL* CsafeCommandFn)(uint16_t unitAddress, uint16_t commandCount,
                                              uint32_t* commands, uint16_t* responseCount,
                                              uint32_t* responses);
typedef void(MONITOR_CALL* CsafeErrorTextFn)(int16_t code, char* buffer, uint16_t size);

// One record of entry points; the binding fills it from the DLLs, native tests fill it
// from the simulated monitor linked in directly.
struct MonitorApi {
    DdiInitFn ddiInit;
    DdiDiscoverFn ddiDiscoverPm3s;
    DdiErrorNameFn ddiGetErrorName;
    DdiErrorTextFn ddiGetErrorText;
    DdiShutdownFn ddiShutdown;
    CsafeInitProtocolFn csafeInitProtocol;
    CsafeCommandFn csafeCommand;
    CsafeErrorTextFn csafeGetErrorText;
};

extern MonitorApi monitorApi;

const char* const DDI_LIBRARY_NAME = "PM3DDICP.dll";
const char* const CSAFE_LIBRARY_NAME = "PM3CsafeCP.dll";
const char* const PM3_PRODUCT_NAME = "Concept2 Performance Monitor 3 (PM3)";
const char* const PM4_PRODUCT_NAME = "Concept2 Performance Monitor 4 (PM4)";
const char* const PM5_PRODUCT_NAME = "Concept2 Performance Monitor 5 (PM5)";

// Sizes Tamsi passes to the libraries.
const int ERROR_NAME_SIZE = 40;
const int ERROR_TEXT_SIZE = 200;
const int CSAFE_RESPONSE_CAPACITY = 100;
