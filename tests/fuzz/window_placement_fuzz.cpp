// Fuzzes the main window's placement: any saved frame from a damaged Tamsi.ini gives a
// window of positive size lying wholly within any sound work area.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "app/window_placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first 16 bytes are the frame as the settings file holds it; the next 8, if there,
    // give a work area as Windows reports one: on or around a few screens, never empty.
    SettingsRect saved, area = {0, 0, 1920, 1160};
    if (size < sizeof(saved)) return 0;
    memcpy(&saved, data, sizeof(saved));
    if (size >= sizeof(saved) + 8) {
        int16_t v[4];
        memcpy(v, data + sizeof(saved), sizeof(v));
        area = {v[0] % 8000, v[1] % 8000, 0, 0};
        area.right = area.left + 1 + abs(v[2] % 8000);
        area.bottom = area.top + 1 + abs(v[3] % 8000);
    }
    WindowPlacement placed = PlaceInWorkArea(saved, area);
    if (placed.width <= 0 || placed.height <= 0) abort();
    if (placed.left < area.left || placed.top < area.top) abort();
    if ((int64_t)placed.left + placed.width > area.right) abort();
    if ((int64_t)placed.top + placed.height > area.bottom) abort();
    return 0;
}
