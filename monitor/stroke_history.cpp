// The live workout record.
#include "monitor/stroke_history.h"

StrokeHistory liveHistory;
