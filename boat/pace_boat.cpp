// The pace boat's course: its row file's stroke lines, and where it is at any moment.
#include "boat/pace_boat.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "app/app_state.h"
#include "log/row_file_parser.h"
#include "monitor/row_file.h"

namespace {

// The first line the boat has not reached after elapsed hundredths (points when none).
int NextLine(const PaceBoat& boat, int32_t elapsed) {
    int low = 0, high = boat.points;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (boat.time[middle] > elapsed) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

}  // namespace

void StartPaceBoatReading(PaceBoat* boat, int32_t startTime) {
    boat->startTime = startTime;
    boat->points = 0;
}

bool AddPaceBoatLine(PaceBoat* boat, const char* line) {
    RowLine row;
    if (!ParseRowLine(line, &row)) return false;
    int n = boat->points < MAX_BOAT_POINTS ? boat->points : MAX_BOAT_POINTS - 1;
    // A time that runs backwards (a damaged file) holds the boat where it was.
    int32_t earlier = n > 0 ? boat->time[n - 1] : 0;
    boat->time[n] = row.time > earlier ? row.time : earlier;
    boat->distance[n] = row.distance;
    boat->pace[n] = row.pace;
    boat->points = n + 1;
    return true;
}

bool IsPaceBoatComplete(const PaceBoat& boat) {
    return boat.points > 0 && boat.time[boat.points - 1] > 0;
}

bool LoadPaceBoat(PaceBoat* boat, int32_t startTime) {
    StartPaceBoatReading(boat, startTime);
    char path[BASE_DIRECTORY_SIZE + 64];
    if (!FormatRowFilePath(path, sizeof path, startTime)) return false;
    FILE* file = fopen(path, "r");
    if (file == NULL) return false;
    int c;
    do c = fgetc(file);  // the header, of any length
    while (c != '\n' && c != EOF);
    char line[ROW_LINE_SIZE];
    // A line too long for the buffer is malformed and ends the reading, as in the log.
    while (fgets(line, sizeof line, file) != NULL && (strchr(line, '\n') != NULL || feof(file)) &&
           AddPaceBoatLine(boat, line)) {
    }
    fclose(file);
    return IsPaceBoatComplete(*boat);
}

double PaceBoatDistance(const PaceBoat& boat, int32_t elapsed) {
    if (boat.points == 0) return 0.0;
    if (elapsed < 0) elapsed = 0;
    int k = NextLine(boat, elapsed);
    if (k == boat.points) return boat.distance[k - 1];
    int32_t fromTime = k > 0 ? boat.time[k - 1] : 0;
    double fromDistance = k > 0 ? boat.distance[k - 1] : 0.0;
    // Line k is later than elapsed, which is not earlier than fromTime: no division by 0.
    double share = (double)(elapsed - fromTime) / (double)(boat.time[k] - fromTime);
    return fromDistance + share * (boat.distance[k] - fromDistance);
}

double PaceBoatPace(const PaceBoat& boat, int32_t elapsed) {
    int k = NextLine(boat, elapsed);
    return k < boat.points ? boat.pace[k] : INFINITY;
}

double PaceBoatFinalDistance(const PaceBoat& boat) {
    return boat.points > 0 ? boat.distance[boat.points - 1] : 0.0;
}

double PaceBoatFinishTime(const PaceBoat& boat) {
    double finish = PaceBoatFinalDistance(boat);
    double fromTime = 0.0, fromDistance = 0.0;
    for (int k = 0; k < boat.points; ++k) {
        if (boat.distance[k] >= finish) {
            if (fromDistance >= finish) return fromTime;
            return fromTime + (finish - fromDistance) / (boat.distance[k] - fromDistance) *
                                  (boat.time[k] - fromTime);
        }
        fromTime = boat.time[k];
        fromDistance = boat.distance[k];
    }
    return fromTime;
}
