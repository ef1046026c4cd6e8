// The one log list state of the run, with its initial values.
#include "log/log_list_state.h"

LogListState logList = {
    {}, {}, -1, -1, {100, 100, 100, 100, 100}, {}, 0, 0, 0, 0, {}, {}, {}, {}, false,
};
