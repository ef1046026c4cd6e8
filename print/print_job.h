// The order of a print job's pages, and where a cancel stops it. Window-free: the printing
// code hands in its steps.
#pragma once
#include <stdint.h>

struct PrintJobSteps {
    // Loads the result started at startTime into the job's record; false when it gives no page.
    bool (*load)(void* context, int32_t startTime);
    // Prints the job's record on a page of its own, then lets the program's messages through.
    void (*page)(void* context);
    // False once the user has cancelled the job.
    bool (*goesOn)(void* context);
    void* context;
};

// Prints copies times the job's own record (startTimes NULL), or each of the count results of
// startTimes that loads, in order. After a cancel nothing more is loaded or printed. Returns
// false when the job was cancelled, even after its last page.
bool RunPrintJob(const PrintJobSteps& steps, const int32_t* startTimes, int count, int copies);
