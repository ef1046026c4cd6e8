// Building the result JSON with nlohmann-json.
#include "logbook/logbook_result.h"

#include <math.h>
#include <stdio.h>

#include <nlohmann/json.hpp>

std::string FormatLogbookDate(int year, int month, int day, int hour, int minute, int second) {
    char date[32];
    snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
             second);
    return date;
}

std::string FormatLogbookResult(const RowWorkout& workout, const std::string& date,
                                char weightClass) {
    const WorkoutTotals totals = SumUpWorkout(workout);
    nlohmann::json result = {
        {"type", "rower"},
        {"date", date},
        {"distance", (int64_t)totals.distance},
        // Hundredths to tenths by dropping the last digit, as the monitor shows it.
        {"time", totals.workTime / 10},
        {"weight_class", weightClass == 'L' ? "L" : "H"},
        {"stroke_count", (int64_t)workout.lines.size()},
    };
    if (totals.avgStrokeRate > 0) result["stroke_rate"] = totals.avgStrokeRate;
    if (totals.calories > 0) result["calories_total"] = totals.calories;
    if (totals.avgHeartRate > 0) result["heart_rate"] = {{"average", totals.avgHeartRate}};
    nlohmann::json strokes = nlohmann::json::array();
    for (const RowLine& line : workout.lines) {
        // The row file's pace is seconds per metre: 0.240 is 2:00.0 a 500 m, 1200 tenths.
        strokes.push_back({{"t", line.time / 10},
                           {"d", (int64_t)llround(line.distance * 10)},
                           {"p", (int64_t)llround(line.pace * 5000)},
                           {"spm", line.strokeRate},
                           {"hr", line.heartRate}});
    }
    result["stroke_data"] = strokes;
    return result.dump();
}
