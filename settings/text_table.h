// The active language's 57 texts, read by index everywhere the user interface speaks.
#pragma once
#include <stddef.h>

const int TEXT_SLOTS = 60;
const int TEXT_SLOT_SIZE = 96;
const int TEXT_ENTRIES = 57;

// Indices of the texts other files name.
enum TextIndex {
    TEXT_ERROR = 0,
    TEXT_ROW_FILE_ERROR = 1,
    TEXT_ROW_FILE_HEADER = 2,
    TEXT_STATE_FIRST = 3,  // states 0..4 are texts 3..7
    TEXT_TIME = 8,
    TEXT_DISTANCE = 9,
    TEXT_PACE = 10,
    TEXT_STROKE_RATE = 11,
    TEXT_STROKES = 12,
    TEXT_HEART_RATE = 13,
    TEXT_DPS = 14,
    TEXT_POWER = 15,
    TEXT_CALS = 16,
    TEXT_STATE = 17,
    TEXT_SETTINGS_SAVE_FAILED = 18,
    TEXT_MENU_FIRST = 19,  // menu labels 19..42
    TEXT_MENU_LAST = 42,
    TEXT_LOG_TITLE = 43,
    TEXT_DATE = 44,
    TEXT_CALORIES = 45,
    TEXT_UNIT_DISTANCE = 46,
    TEXT_UNIT_PACE = 47,
    TEXT_UNIT_STROKE_RATE = 48,
    TEXT_UNIT_HEART_RATE = 49,
    TEXT_UNIT_DPS = 50,
    TEXT_UNIT_POWER = 51,
    TEXT_UNIT_CALS = 52,
    TEXT_BOAT = 53,  // the pace boat's gap under the numbers
    TEXT_NO_PACE_BOAT = 54,
    TEXT_UNIT_SECONDS = 55,
    TEXT_MENU_ONLINE_LOGBOOK = 56,  // a menu label added after the others
};

// Zero-filled at program start; filled by a language load.
extern char textTable[TEXT_SLOTS][TEXT_SLOT_SIZE];
