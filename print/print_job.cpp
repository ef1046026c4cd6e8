// A print job's pages, copy after copy, until the job is done or cancelled.
#include "print/print_job.h"

#include <stddef.h>

bool RunPrintJob(const PrintJobSteps& steps, const int32_t* startTimes, int count, int copies) {
    for (int copy = 0; copy < copies; ++copy) {
        if (startTimes == NULL) {
            if (!steps.goesOn(steps.context)) return false;
            steps.page(steps.context);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            // A cancel can come during a load too: its "not a valid row file" box serves it.
            if (!steps.goesOn(steps.context)) return false;
            if (steps.load(steps.context, startTimes[i]) && steps.goesOn(steps.context))
                steps.page(steps.context);
        }
    }
    return steps.goesOn(steps.context);
}
