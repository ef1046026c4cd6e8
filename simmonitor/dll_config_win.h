// Each simulated-monitor DLL configures its own copy of the monitor on first use.
#pragma once

// Reads simmonitor.ini beside this DLL, then the environment, once per process.
void SimDllConfigureOnce();
