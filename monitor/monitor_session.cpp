// Opening the monitor link and turning library errors into the status line.
#include "monitor/monitor_session.h"

#include <stdio.h>

#include "app/app_state.h"
#include "monitor/monitor_api.h"
#include "settings/text_table.h"

static void ShowErrorText(const char* text) {
    snprintf(statusLine, STATUS_LINE_SIZE, "%s: %s", textTable[TEXT_ERROR], text);
}

// Driver failures are described by the driver library; the name is fetched as the
// library expects but not shown.
static int16_t ShowDriverError(int16_t status) {
    char name[ERROR_NAME_SIZE] = "";
    char text[ERROR_TEXT_SIZE] = "";
    monitorApi.ddiGetErrorName(status, name, ERROR_NAME_SIZE);
    monitorApi.ddiGetErrorText(status, text, ERROR_TEXT_SIZE);
    text[ERROR_TEXT_SIZE - 1] = '\0';
    ShowErrorText(text);
    return status;
}

int16_t OpenMonitorSession() {
    int16_t status = monitorApi.ddiInit();
    if (status != 0) return ShowDriverError(status);

    uint16_t count = 0;
    const char* const products[] = {PM3_PRODUCT_NAME, PM4_PRODUCT_NAME};
    for (const char* product : products) {
        status = monitorApi.ddiDiscoverPm3s(product, 0, &count);
        if (status != 0) {
            monitorApi.ddiShutdown(0);
            return ShowDriverError(status);
        }
    }
    // The PM5 answers the same requests as a PM3. Libraries older than the PM5 may not know its
    // name: their refusal is no error, and the session goes on as it would for a PM3 or PM4.
    monitorApi.ddiDiscoverPm3s(PM5_PRODUCT_NAME, 0, &count);

    status = monitorApi.csafeInitProtocol(0);
    if (status != 0) {
        ShowMonitorError(status);
        return status;
    }
    return 0;
}

void ShowMonitorError(int16_t status) {
    char text[ERROR_TEXT_SIZE] = "";
    monitorApi.csafeGetErrorText(status, text, ERROR_TEXT_SIZE);
    text[ERROR_TEXT_SIZE - 1] = '\0';
    ShowErrorText(text);
}

void ShowBadMonitorAnswer() {
    ShowErrorText("The monitor's answer was incomplete or garbled");
}
