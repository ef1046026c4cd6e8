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
    static const struct {
        int index;
        const char* text;
    } texts[] = {
        {3, "Waiting"},     {4, "Waiting"},  {5, "Driving"}, {6, "Dwelling"},     {7, "Recovery"},
        {8, "Time"},        {9, "Distance"}, {10, "Pace"},   {11, "Stroke Rate"}, {12, "Strokes"},
        {13, "Heart Rate"}, {14, "DPS"},     {15, "Power"},  {16, "Cals"},        {17, "State"},
        {46, "m"},          {47, "/500m"},   {48, "s/m"},    {49, "bpm"},         {50, "m"},
        {51, "watt"},       {52, "kcal"},
    };
    memset(textTable, 0, sizeof textTable);
    for (const auto& t : texts) strcpy(textTable[t.index], t.text);
}

// All four graphs on, with the scales a new settings file gets.
inline void SetDefaultGraphSettings() {
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 1;
    settings.powerMin = 0;
    settings.powerMax = 250;
    settings.strokeRateMin = 0;
    settings.strokeRateMax = 40;
    settings.paceMin = 0;
    settings.paceMax = 5;
    settings.heartRateMin = 0;
    settings.heartRateMax = 200;
}

// A record is 400 KB: too large for a test's stack.
inline std::unique_ptr<StrokeHistory> NewHistory() {
    return std::unique_ptr<StrokeHistory>(new StrokeHistory());
}
