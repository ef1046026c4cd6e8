// Binding the eight operations by name from the two libraries in the program's folder.
#pragma once

// Points monitorApi at failing stand-ins; called first thing, so nothing ever calls
// through an empty entry.
void UseMissingMonitorLibraries();

// Loads PM3DDICP.dll and PM3CsafeCP.dll from the base directory. A library that is
// missing, or lacks one of its operations, is replaced as a whole by failing stand-ins
// whose error text names it; without the driver library the CSAFE operations are replaced
// too, since no monitor can be reached.
void BindMonitorLibraries();
