// The FIT encoder: little-endian definition and data messages, sizes and CRCs.
#include "export/fit_encoder.h"

#include <math.h>

namespace {

// Base types, with the size each takes; their all-ones value means "no value".
const uint8_t ENUM = 0x00, UINT8 = 0x02, UINT16 = 0x84, UINT32 = 0x86;
const uint32_t NO_UINT8 = 0xFF;

int SizeOf(uint8_t type) {
    return type == UINT32 ? 4 : type == UINT16 ? 2 : 1;
}

struct FitField {
    uint8_t number;
    uint8_t type;
};

struct FitMessage {
    uint8_t local;  // the local number its data messages refer to
    uint16_t global;
    const FitField* fields;
    int count;
};

// The fields written, by message, in the order of the values each data message gives.
const FitField FILE_ID[] = {{0, ENUM}, {1, UINT16}, {2, UINT16}, {4, UINT32}};
const FitField EVENT[] = {{253, UINT32}, {0, ENUM}, {1, ENUM}};
// timestamp, distance, speed, power, cadence, heart rate
const FitField RECORD[] = {{253, UINT32}, {5, UINT32}, {6, UINT16},
                           {7, UINT16},   {4, UINT8},  {3, UINT8}};
// Lap and session carry the same totals under their own field numbers: timestamp, start,
// elapsed and timer time, distance, calories, average and maximum speed, power, cadence and
// heart rate, event, event type, sport, sub-sport, message index; then their own.
const FitField LAP[] = {{253, UINT32}, {2, UINT32},  {7, UINT32},  {8, UINT32},   {9, UINT32},
                        {11, UINT16},  {13, UINT16}, {14, UINT16}, {19, UINT16},  {20, UINT16},
                        {17, UINT8},   {18, UINT8},  {15, UINT8},  {16, UINT8},   {0, ENUM},
                        {1, ENUM},     {25, ENUM},   {39, ENUM},   {254, UINT16}, {24, ENUM}};
const FitField SESSION[] = {{253, UINT32}, {2, UINT32},  {7, UINT32},  {8, UINT32},   {9, UINT32},
                            {11, UINT16},  {14, UINT16}, {15, UINT16}, {20, UINT16},  {21, UINT16},
                            {18, UINT8},   {19, UINT8},  {16, UINT8},  {17, UINT8},   {0, ENUM},
                            {1, ENUM},     {5, ENUM},    {6, ENUM},    {254, UINT16}, {28, ENUM},
                            {25, UINT16},  {26, UINT16}};
// timestamp, total timer time, sessions, type, event, event type
const FitField ACTIVITY[] = {{253, UINT32}, {0, UINT32}, {1, UINT16},
                             {2, ENUM},     {3, ENUM},   {4, ENUM}};

template <int N>
constexpr FitMessage Message(uint8_t local, uint16_t global, const FitField (&fields)[N]) {
    return {local, global, fields, N};
}
const FitMessage FILE_ID_MESSAGE = Message(0, 0, FILE_ID);
const FitMessage EVENT_MESSAGE = Message(1, 21, EVENT);
const FitMessage RECORD_MESSAGE = Message(2, 20, RECORD);
const FitMessage LAP_MESSAGE = Message(3, 19, LAP);
const FitMessage SESSION_MESSAGE = Message(4, 18, SESSION);
const FitMessage ACTIVITY_MESSAGE = Message(5, 34, ACTIVITY);

// Values of the profile's types.
const uint32_t FILE_ACTIVITY = 4, MANUFACTURER_DEVELOPMENT = 255;
const uint32_t EVENT_TIMER = 0, EVENT_SESSION = 8, EVENT_LAP = 9, EVENT_ACTIVITY = 26;
const uint32_t EVENT_TYPE_START = 0, EVENT_TYPE_STOP = 1, EVENT_TYPE_STOP_ALL = 4;
const uint32_t SPORT_ROWING = 15, SUB_SPORT_INDOOR_ROWING = 14;
const uint32_t LAP_TRIGGER_MANUAL = 0, SESSION_TRIGGER_ACTIVITY_END = 0, ACTIVITY_MANUAL = 0;

void Put(std::string* out, uint32_t value, int size) {
    for (int i = 0; i < size; i++) out->push_back((char)(value >> (8 * i) & 0xFF));
}

void Define(std::string* out, const FitMessage& message) {
    out->push_back((char)(0x40 | message.local));
    Put(out, 0, 1);  // reserved
    Put(out, 0, 1);  // little endian
    Put(out, message.global, 2);
    Put(out, (uint32_t)message.count, 1);
    for (int i = 0; i < message.count; i++) {
        Put(out, message.fields[i].number, 1);
        Put(out, (uint32_t)SizeOf(message.fields[i].type), 1);
        Put(out, message.fields[i].type, 1);
    }
}

void Data(std::string* out, const FitMessage& message, const uint32_t* values) {
    out->push_back((char)message.local);
    for (int i = 0; i < message.count; i++) Put(out, values[i], SizeOf(message.fields[i].type));
}

// A value scaled and rounded into a field of the given type; the all-ones value is kept
// for "no value", so larger ones stop one below it.
uint32_t Scaled(double value, double scale, uint8_t type) {
    double most = type == UINT32 ? 4294967294.0 : type == UINT16 ? 65534.0 : 254.0;
    double scaled = floor(value * scale + 0.5);
    if (!(scaled > 0.0)) return 0;  // a NaN too
    return scaled >= most ? (uint32_t)most : (uint32_t)scaled;
}

uint32_t HeartRate(int32_t beats) {
    return beats > 0 ? Scaled(beats, 1, UINT8) : NO_UINT8;
}

// A moment of the workout in FIT time: the row file's start plus hundredths of a second.
uint32_t FitTime(int32_t startTime, int64_t hundredths) {
    double seconds = (double)startTime - (double)FIT_EPOCH_OFFSET + floor(hundredths / 100.0);
    return Scaled(seconds, 1, UINT32);
}

}  // namespace

uint16_t FitCrc(uint16_t crc, const uint8_t* bytes, size_t size) {
    static const uint16_t TABLE[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                       0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                       0x5000, 0x9C01, 0x8801, 0x4400};
    for (size_t i = 0; i < size; i++) {  // a nibble at a time, low one first
        crc = (uint16_t)((crc >> 4) ^ TABLE[crc & 0xF] ^ TABLE[bytes[i] & 0xF]);
        crc = (uint16_t)((crc >> 4) ^ TABLE[crc & 0xF] ^ TABLE[bytes[i] >> 4]);
    }
    return crc;
}

std::string EncodeFitActivity(const RowWorkout& workout) {
    const WorkoutTotals totals = SumUpWorkout(workout);
    const uint32_t start = FitTime(workout.startTime, 0);
    const uint32_t end = FitTime(workout.startTime, totals.workTime);
    std::string body;

    Define(&body, FILE_ID_MESSAGE);
    const uint32_t fileId[] = {FILE_ACTIVITY, MANUFACTURER_DEVELOPMENT, 0, start};
    Data(&body, FILE_ID_MESSAGE, fileId);
    Define(&body, EVENT_MESSAGE);
    const uint32_t started[] = {start, EVENT_TIMER, EVENT_TYPE_START};
    Data(&body, EVENT_MESSAGE, started);

    Define(&body, RECORD_MESSAGE);
    for (const RowLine& line : workout.lines) {
        const uint32_t record[] = {FitTime(workout.startTime, line.time),
                                   Scaled(line.distance, 100, UINT32),
                                   Scaled(SpeedOfPace(line.pace), 1000, UINT16),
                                   Scaled(line.power, 1, UINT16),
                                   Scaled(line.strokeRate, 1, UINT8),
                                   HeartRate(line.heartRate)};
        Data(&body, RECORD_MESSAGE, record);
    }

    const uint32_t stopped[] = {end, EVENT_TIMER, EVENT_TYPE_STOP_ALL};
    Data(&body, EVENT_MESSAGE, stopped);
    const uint32_t time = Scaled(totals.workTime, 10, UINT32);  // milliseconds
    uint32_t summary[] = {end,
                          start,
                          time,
                          time,
                          Scaled(totals.distance, 100, UINT32),
                          Scaled(totals.calories, 1, UINT16),
                          Scaled(totals.avgSpeed, 1000, UINT16),
                          Scaled(totals.maxSpeed, 1000, UINT16),
                          Scaled(totals.avgPower, 1, UINT16),
                          Scaled(totals.maxPower, 1, UINT16),
                          Scaled(totals.avgStrokeRate, 1, UINT8),
                          Scaled(totals.maxStrokeRate, 1, UINT8),
                          HeartRate(totals.avgHeartRate),
                          HeartRate(totals.maxHeartRate),
                          EVENT_LAP,
                          EVENT_TYPE_STOP,
                          SPORT_ROWING,
                          SUB_SPORT_INDOOR_ROWING,
                          0,  // message index
                          LAP_TRIGGER_MANUAL,
                          0,   // first lap
                          1};  // laps
    Define(&body, LAP_MESSAGE);
    Data(&body, LAP_MESSAGE, summary);
    summary[14] = EVENT_SESSION;
    summary[19] = SESSION_TRIGGER_ACTIVITY_END;
    Define(&body, SESSION_MESSAGE);
    Data(&body, SESSION_MESSAGE, summary);

    Define(&body, ACTIVITY_MESSAGE);
    const uint32_t activity[] = {end, time, 1, ACTIVITY_MANUAL, EVENT_ACTIVITY, EVENT_TYPE_STOP};
    Data(&body, ACTIVITY_MESSAGE, activity);

    std::string file;
    Put(&file, 14, 1);    // header size
    Put(&file, 0x10, 1);  // protocol 1.0
    Put(&file, 2100, 2);  // profile 21.00
    Put(&file, (uint32_t)body.size(), 4);
    file += ".FIT";
    Put(&file, FitCrc(0, (const uint8_t*)file.data(), file.size()), 2);
    file += body;
    Put(&file, FitCrc(0, (const uint8_t*)file.data(), file.size()), 2);
    return file;
}
