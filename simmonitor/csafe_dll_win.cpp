// PM3CsafeCP.dll of the simulated monitor: the CSAFE channel; this DLL owns the rower.
#include "simmonitor/dll_config_win.h"
#include "simmonitor/sim_monitor.h"

extern "C" {
int16_t MONITOR_CALL tkcmdsetCSAFE_init_protocol(uint16_t timeout);
int16_t MONITOR_CALL tkcmdsetCSAFE_command(uint16_t unitAddress, uint16_t commandCount,
                                           uint32_t* commands, uint16_t* responseCount,
                                           uint32_t* responses);
void MONITOR_CALL tkcmdsetCSAFE_get_error_text(int16_t code, char* buffer, uint16_t size);
}

int16_t MONITOR_CALL tkcmdsetCSAFE_init_protocol(uint16_t timeout) {
    SimDllConfigureOnce();
    return SimCsafeInitProtocol(timeout);
}

int16_t MONITOR_CALL tkcmdsetCSAFE_command(uint16_t unitAddress, uint16_t commandCount,
                                           uint32_t* commands, uint16_t* responseCount,
                                           uint32_t* responses) {
    SimDllConfigureOnce();
    return SimCsafeCommand(unitAddress, commandCount, commands, responseCount, responses);
}

void MONITOR_CALL tkcmdsetCSAFE_get_error_text(int16_t code, char* buffer, uint16_t size) {
    SimDllConfigureOnce();
    SimCsafeGetErrorText(code, buffer, size);
}
