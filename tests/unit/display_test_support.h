// Shared set-up of the display tests: the English panel texts, the default graph settings,
// a zero workout record, and the globals put back afterwards.
#pragma once
#include <string.h>

#include <memory>

#include "app/app_state.h"
#include "monitor/stroke_history.h"
#include "settings/settings.h"
#include "settings/text_table.h"

// Saves the globals the panel reads and restores them when the test ends.
class DisplayGlobalsGuard {
public:
    DisplayGlobalsGuard() {
        memcpy(&savedSettings, &settings, sizeof settings);
        memcpy(savedTexts, textTable, sizeof textTable);
        memcpy(savedStatus, statusLine, sizeof statusLine);
    }
    ~DisplayGlobalsGuard() {
        memcpy(&settings, &savedSettings, sizeof settings);
        memcpy(textTable, savedTexts, sizeof textTable);
        memcpy(statusLine, savedStatus, sizeof statusLine);
    }

private:
    Settings savedSettings;
    char savedTexts[TEXT_SLOTS][TEXT_SLOT_SIZE];
    char savedStatus[STATUS_LINE_SIZE];
};

inline void LoadEnglishPanelTexts() {
    const char* const labels[] = {"Waiting",    "Waiting",  "Driving", "Dwelling",    "Recovery",
                                  "Time",       "Distance", "Pace",    "Stroke Rate", "Strokes",
                                  "Heart Rate", "DPS",      "Power",   "Cals",        "State"};
    const char* const units[] = {"m", "/500m", "s/m", "bpm", "m", "watt", "kcal"};
    memset(textTable, 0, sizeof textTable);
    for (int i = 0; i < 15; ++i) strcpy(textTable[TEXT_STATE_FIRST + i], labels[i]);
    for (int i = 0; i < 7; ++i) strcpy(textTable[TEXT_UNIT_DISTANCE + i], units[i]);
}

// All four graphs on, with the scales a new settings file gets.
inline void SetDefaultGraphSettings() {
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 1;
    settings.powerMin = settings.strokeRateMin = settings.paceMin = settings.heartRateMin = 0;
    settings.powerMax = 250, settings.strokeRateMax = 40, settings.paceMax = 5;
    settings.heartRateMax = 200;
}

// A record is 400 KB: too large for a test's stack.
inline std::unique_ptr<StrokeHistory> NewHistory() {
    return std::make_unique<StrokeHistory>();
}
