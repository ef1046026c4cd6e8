// The 100-byte preferences record, stored raw in Tamsi.ini beside the program.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct SettingsRect {
    int32_t left, top, right, bottom;
};

struct Settings {
    uint8_t reserved0[4];
    SettingsRect mainWindowRect;
    SettingsRect logWindowRect;
    uint8_t reserved36[3];
    uint8_t showHeartRate;
    uint8_t showStrokeRate;
    uint8_t showPower;
    uint8_t showPace;
    uint8_t logbookAutoSend;  // 1: each finished workout goes to the online logbook
    int32_t paceMin;
    int32_t paceMax;
    int32_t strokeRateMin;
    int32_t strokeRateMax;
    int32_t heartRateMin;
    int32_t heartRateMax;
    int32_t powerMin;
    int32_t powerMax;
    char rowerType[12];
    char weightClass;
    uint8_t reserved89[3];
    int32_t lastUploadTime;
    int32_t languageCommand;
};

static_assert(sizeof(Settings) == 100, "the settings file is a raw 100-byte record");
static_assert(offsetof(Settings, mainWindowRect) == 4, "settings layout");
static_assert(offsetof(Settings, logWindowRect) == 20, "settings layout");
static_assert(offsetof(Settings, showHeartRate) == 39, "settings layout");
static_assert(offsetof(Settings, showStrokeRate) == 40, "settings layout");
static_assert(offsetof(Settings, showPower) == 41, "settings layout");
static_assert(offsetof(Settings, showPace) == 42, "settings layout");
static_assert(offsetof(Settings, paceMin) == 44, "settings layout");
static_assert(offsetof(Settings, paceMax) == 48, "settings layout");
static_assert(offsetof(Settings, strokeRateMin) == 52, "settings layout");
static_assert(offsetof(Settings, strokeRateMax) == 56, "settings layout");
static_assert(offsetof(Settings, heartRateMin) == 60, "settings layout");
static_assert(offsetof(Settings, heartRateMax) == 64, "settings layout");
static_assert(offsetof(Settings, powerMin) == 68, "settings layout");
static_assert(offsetof(Settings, powerMax) == 72, "settings layout");
static_assert(offsetof(Settings, rowerType) == 76, "settings layout");
static_assert(offsetof(Settings, weightClass) == 88, "settings layout");
static_assert(offsetof(Settings, lastUploadTime) == 92, "settings layout");
static_assert(offsetof(Settings, languageCommand) == 96, "settings layout");

extern Settings settings;
