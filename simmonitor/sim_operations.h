// The eight operations by number, for call counting, faults and the transcript.
#pragma once
#include <string>

enum SimOperation {
    SIM_OP_DDI_INIT,
    SIM_OP_DDI_DISCOVER,
    SIM_OP_DDI_ERROR_NAME,
    SIM_OP_DDI_ERROR_TEXT,
    SIM_OP_DDI_SHUTDOWN,
    SIM_OP_CSAFE_INIT,
    SIM_OP_CSAFE_COMMAND,
    SIM_OP_CSAFE_ERROR_TEXT,
    SIM_OPERATION_COUNT
};

extern const char* const SIM_OPERATION_NAMES[SIM_OPERATION_COUNT];

// Index of an export name (any case), or -1.
int SimOperationIndex(const std::string& name);
