// PM3DDICP.dll of the simulated monitor: monitor discovery and error texts.
#include "simmonitor/dll_config_win.h"
#include "simmonitor/sim_monitor.h"

extern "C" {
int16_t MONITOR_CALL tkcmdsetDDI_init(void);
int16_t MONITOR_CALL tkcmdsetDDI_discover_pm3s(const char* productName, uint16_t startAddress,
                                               uint16_t* count);
int16_t MONITOR_CALL tkcmdsetDDI_get_error_name(int16_t code, char* buffer, uint16_t size);
int16_t MONITOR_CALL tkcmdsetDDI_get_error_text(int16_t code, char* buffer, uint16_t size);
int16_t MONITOR_CALL tkcmdsetDDI_shutdown(int16_t port);
}

int16_t MONITOR_CALL tkcmdsetDDI_init(void) {
    SimDllConfigureOnce();
    return SimDdiInit();
}

int16_t MONITOR_CALL tkcmdsetDDI_discover_pm3s(const char* productName, uint16_t startAddress,
                                               uint16_t* count) {
    SimDllConfigureOnce();
    return SimDdiDiscoverPm3s(productName, startAddress, count);
}

int16_t MONITOR_CALL tkcmdsetDDI_get_error_name(int16_t code, char* buffer, uint16_t size) {
    SimDllConfigureOnce();
    return SimDdiGetErrorName(code, buffer, size);
}

int16_t MONITOR_CALL tkcmdsetDDI_get_error_text(int16_t code, char* buffer, uint16_t size) {
    SimDllConfigureOnce();
    return SimDdiGetErrorText(code, buffer, size);
}

int16_t MONITOR_CALL tkcmdsetDDI_shutdown(int16_t port) {
    SimDllConfigureOnce();
    return SimDdiShutdown(port);
}
