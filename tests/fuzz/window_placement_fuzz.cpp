// Fuzzes the main window's placement: any saved frame from a damaged Tamsi.ini gives a
// window of positive size lying wholly within any sound work area.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "app/window_placement.h"

// A work area as Windows reports one: on or around a few screens, never empty.
static SettingsRect SoundWorkArea(const uint8_t* bytes) {
    int16_t values[4];
    memcpy(values, bytes, sizeof(values));
    SettingsRect area;
    area.left = values[0] % 8000;
    area.top = values[1] % 8000;
    area.right = area.left + 1 + abs(values[2] % 8000);
    area.bottom = area.top + 1 + abs(values[3] % 8000);
    return area;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first 16 bytes are the frame as the settings file holds it.
    SettingsRect saved;
    if (size < sizeof(saved)) return 0;
    memcpy(&saved, data, sizeof(saved));
    SettingsRect area = {0, 0, 1920, 1160};
    if (size >= sizeof(saved) + 8) area = SoundWorkArea(data + sizeof(saved));

    WindowPlacement placed = PlaceInWorkArea(saved, area);
    if (placed.width <= 0 || placed.height <= 0) abort();
    if (placed.left < area.left || placed.top < area.top) abort();
    if ((int64_t)placed.left + placed.width > area.right) abort();
    if ((int64_t)placed.top + placed.height > area.bottom) abort();
    return 0;
}
