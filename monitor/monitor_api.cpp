// The bound entry points of the monitor libraries.
#include "monitor/monitor_api.h"

MonitorApi monitorApi;
