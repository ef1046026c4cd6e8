// The TCX writer. Elements follow the schema's order, which readers check.
#include "export/tcx_writer.h"

#include <stdarg.h>
#include <stdio.h>

#include "export/export_names.h"

namespace {

void Append(std::string* out, const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    *out += text;
}

// The schema's bytes and shorts: heart rates and cadences up to 254, watts and calories up
// to 65535.
int Bounded(int32_t value, int most) {
    return value < 0 ? 0 : value > most ? most : (int)value;
}

void AppendTrackpoint(std::string* out, int32_t startTime, const RowLine& line) {
    int64_t hundredths = line.time < 0 ? 0 : line.time;
    char time[40];
    FormatUtcTime(time, sizeof time, startTime + hundredths / 100, (int)(hundredths % 100));
    Append(out, "          <Trackpoint>\n            <Time>%s</Time>\n", time);
    Append(out, "            <DistanceMeters>%.1f</DistanceMeters>\n", line.distance);
    if (line.heartRate > 0)
        Append(out, "            <HeartRateBpm><Value>%d</Value></HeartRateBpm>\n",
               Bounded(line.heartRate, 254));
    Append(out, "            <Cadence>%d</Cadence>\n", Bounded(line.strokeRate, 254));
    Append(out,
           "            <Extensions><ns3:TPX><ns3:Speed>%.3f</ns3:Speed>"
           "<ns3:Watts>%d</ns3:Watts></ns3:TPX></Extensions>\n",
           SpeedOfPace(line.pace), Bounded(line.power, 65535));
    *out += "          </Trackpoint>\n";
}

}  // namespace

std::string EncodeTcxActivity(const RowWorkout& workout) {
    const WorkoutTotals totals = SumUpWorkout(workout);
    char start[40];
    FormatUtcTime(start, sizeof start, workout.startTime);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<TrainingCenterDatabase"
        " xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\""
        " xmlns:ns3=\"http://www.garmin.com/xmlschemas/ActivityExtension/v2\">\n"
        "  <Activities>\n"
        "    <Activity Sport=\"Other\">\n";
    Append(&out, "      <Id>%s</Id>\n      <Lap StartTime=\"%s\">\n", start, start);
    Append(&out, "        <TotalTimeSeconds>%.2f</TotalTimeSeconds>\n", totals.workTime / 100.0);
    Append(&out, "        <DistanceMeters>%.1f</DistanceMeters>\n", totals.distance);
    Append(&out, "        <MaximumSpeed>%.3f</MaximumSpeed>\n", totals.maxSpeed);
    Append(&out, "        <Calories>%d</Calories>\n", Bounded(totals.calories, 65535));
    if (totals.avgHeartRate > 0)
        Append(&out,
               "        <AverageHeartRateBpm><Value>%d</Value></AverageHeartRateBpm>\n"
               "        <MaximumHeartRateBpm><Value>%d</Value></MaximumHeartRateBpm>\n",
               Bounded(totals.avgHeartRate, 254), Bounded(totals.maxHeartRate, 254));
    Append(&out,
           "        <Intensity>Active</Intensity>\n        <Cadence>%d</Cadence>\n"
           "        <TriggerMethod>Manual</TriggerMethod>\n        <Track>\n",
           Bounded(totals.avgStrokeRate, 254));
    for (const RowLine& line : workout.lines) AppendTrackpoint(&out, workout.startTime, line);
    out += "        </Track>\n";
    Append(&out,
           "        <Extensions><ns3:LX><ns3:AvgSpeed>%.3f</ns3:AvgSpeed>"
           "<ns3:AvgWatts>%d</ns3:AvgWatts><ns3:MaxWatts>%d</ns3:MaxWatts></ns3:LX></Extensions>\n",
           totals.avgSpeed, Bounded(totals.avgPower, 65535), Bounded(totals.maxPower, 65535));
    out += "      </Lap>\n    </Activity>\n  </Activities>\n</TrainingCenterDatabase>\n";
    return out;
}
