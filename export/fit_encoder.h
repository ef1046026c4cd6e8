// A workout as a FIT activity file, the binary format of sports watches and training
// programs. Only what an indoor row needs: file id, timer events, one record per data line,
// one lap, one session and the activity. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "export/row_workout.h"

// Seconds from 1970-01-01 to the FIT epoch, 1989-12-31 00:00 UTC.
const int64_t FIT_EPOCH_OFFSET = 631065600;

// The CRC-16 that guards FIT headers and files, continued from crc over size bytes.
uint16_t FitCrc(uint16_t crc, const uint8_t* bytes, size_t size);

// The whole file: header, messages and the closing CRC.
std::string EncodeFitActivity(const RowWorkout& workout);
