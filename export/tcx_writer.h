// A workout as a Training Center XML (TCX, version 2) activity: one lap with the totals and
// a track of one point per data line, watts and speed in the activity extension. Window-free.
#pragma once
#include <string>

#include "export/row_workout.h"

std::string EncodeTcxActivity(const RowWorkout& workout);
